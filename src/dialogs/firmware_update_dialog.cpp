#include "dialogs/firmware_update_dialog.h"

#include "link/ymodem.h"
#include "platform/progress.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

constexpr BilingualText kImportCaption{"Import Parameter", "导入参数"};
constexpr BilingualText kFinish{"Finish", "完成"};

}  // namespace

std::string TransferOutcomeText(Language language, TransferMode mode, int result) {
  if (language == Language::kEnglish) return TransferOutcome(mode, result);
  const bool firmware = mode == TransferMode::kFirmware;
  if (result == kTransferDone) return firmware ? "升级成功" : "导入参数成功";
  if (result == kTransferNoCrcRequest || result == kTransferNoAck) return "超时";
  return firmware ? "升级失败" : "导入参数失败";
}

void FirmwareUpdateDialog::Notify(Notification& notification) {
  if (notification.type == notify::kWindowInit) {
    if (mode_ == TransferMode::kParameters) {
      if (Control* caption = FindControl("label_caption")) caption->SetText(Pick(language_, kImportCaption));
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
  Toolkit::Dialogs().MessageBox(this, TransferOutcomeText(language_, mode_, now.result), Pick(language_, kFinish),
                                MessageButtons::kOk);
  Close(kIdCancel);
}

void FirmwareUpdateDialog::ShowPercent(int percent) {
  auto* bar = Find<Progress>("update_progress");
  if (bar == nullptr) return;
  bar->SetValue(percent);
  bar->SetText(std::to_string(percent) + "%");
}

}  // namespace dsp
