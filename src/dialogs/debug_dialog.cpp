#include "dialogs/debug_dialog.h"

#include "dialogs/dialog_captions.h"
#include "platform/check_box.h"
#include "platform/messages.h"
#include "platform/rich_edit.h"

namespace dsp {
namespace {

const DialogCaption kCaptions[] = {
    {"title_label", {"Trace", "调试"}},
    {"hex_checkbox", {"Hex", "十六进制"}},
    {"clear_button", {"Clear", "清除"}},
};

}  // namespace

void DebugDialog::Notify(Notification& notification) {
  const std::string& name = notification.sender != nullptr ? notification.sender->Name() : "";
  if (notification.type == notify::kWindowInit) {
    ShowCaptions(*this, kCaptions, language_);
  } else if (notification.type == notify::kClick && name == "clear_button") {
    if (Control* trace = FindControl("receive_richedit")) trace->SetText("");
  } else if (notification.type == notify::kClick && name == "button_close") {
    ShowWindow(false);
  }
  Window::Notify(notification);
}

bool DebugDialog::HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  if (message == kWmClose) {
    ShowWindow(false);
    return true;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

void DebugDialog::AppendTrace(std::string_view text) {
  if (auto* trace = Find<RichEdit>("receive_richedit")) trace->AppendText(text);
}

void DebugDialog::SetLanguage(Language language) {
  language_ = language;
  ShowCaptions(*this, kCaptions, language_);
}

bool DebugDialog::HexChosen() const {
  const auto* hex = Find<CheckBox>("hex_checkbox");
  return hex != nullptr && hex->Check();
}

}  // namespace dsp
