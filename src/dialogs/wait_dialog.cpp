#include "dialogs/wait_dialog.h"

#include "platform/progress.h"

namespace dsp {

void WaitDialog::Notify(Notification& notification) {
  if (notification.type != notify::kWindowInit) return;
  SetTimer(kTickTimer, kTickMs);
  if (Control* label = FindControl("title_label")) label->SetText(text_);
  auto* bar = Find<Progress>("progress");
  if (bar == nullptr) return;
  if (percent_ != nullptr) bar->SetRange(0, 100);
  else if (bar_maximum_ >= 0) bar->SetRange(0, bar_maximum_);
}

bool WaitDialog::HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  if (message == kWmTimer && wparam == kTickTimer) {
    Tick();
    return true;
  }
  if (message == kWmChar && wparam == kCharEscape) {
    if (Parent() != nullptr) Parent()->PostMessage(kWmChar, wparam, lparam);
    return true;
  }
  // Only the operation's end closes the dialog.
  if (message == kWmClose) return true;
  return Window::HandleMessage(message, wparam, lparam);
}

void WaitDialog::Tick() {
  if (elapsed_ms_ <= minimum_ms_) {
    elapsed_ms_ += kTickMs;
  } else if (done_ == nullptr || *done_) {
    KillTimer(kTickTimer);
    AdvanceBar();
    Close(kIdCancel);
    return;
  }
  AdvanceBar();
}

void WaitDialog::AdvanceBar() {
  auto* bar = Find<Progress>("progress");
  if (bar == nullptr) return;
  if (percent_ != nullptr) {
    bar->SetValue(*percent_);
    return;
  }
  bar->SetValue(bar_position_);
  ++bar_position_;
  if (bar_position_ > bar->Max()) bar_position_ = bar->Min();
}

void RunWaitDialog(WaitDialog& dialog, Window& parent, std::string_view title) {
  dialog.Create(&parent, title);
  dialog.CenterWindow();
  dialog.ShowModal();
}

}  // namespace dsp
