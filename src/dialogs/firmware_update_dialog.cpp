#include "dialogs/firmware_update_dialog.h"

#include "platform/progress.h"
#include "platform/toolkit.h"

namespace dsp {

void FirmwareUpdateDialog::Notify(Notification& notification) {
  if (notification.type == notify::kWindowInit) {
    if (mode_ == TransferMode::kParameters) {
      if (Control* caption = FindControl("label_caption")) caption->SetText("Import Parameter");
    }
    ShowPercent(0);
    SetTimer(kProgressTimer, kProgressMs);
  }
  Window::Notify(notification);
}

bool FirmwareUpdateDialog::HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  if (message == kWmTimer && wparam == kProgressTimer) {
    Tick();
    return true;
  }
  // The transfer always ends (a silent loader within its waits); until the
  // outcome has been told, the window stays.
  if (message == kWmClose) return true;
  return Window::HandleMessage(message, wparam, lparam);
}

void FirmwareUpdateDialog::Tick() {
  const TransferProgress now = progress_();
  if (now.pending) {
    ShowPercent(TransferPercent(now));
    return;
  }
  KillTimer(kProgressTimer);
  Toolkit::Dialogs().MessageBox(this, TransferOutcome(mode_, now.result), "Finish", MessageButtons::kOk);
  Close(kIdCancel);
}

void FirmwareUpdateDialog::ShowPercent(int percent) {
  auto* bar = Find<Progress>("update_progress");
  if (bar == nullptr) return;
  bar->SetValue(percent);
  bar->SetText(std::to_string(percent) + "%");
}

}  // namespace dsp
