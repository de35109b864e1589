#pragma once

// The modal progress window of a firmware update or a parameter import. It
// looks at the link's transfer every 200 ms, shows the share of the file
// sent so far, and once the transfer has ended says how it went ("Finish")
// and closes itself; the user cannot close it before. The transfer itself
// belongs to the link.

#include <cstdint>
#include <functional>
#include <string>

#include "language/language.h"
#include "link/transfer_progress.h"
#include "platform/window.h"

namespace dsp {

class FirmwareUpdateDialog : public Window {
 public:
  static constexpr std::uint32_t kProgressTimer = 1;
  static constexpr int kProgressMs = 200;

  using ProgressSource = std::function<TransferProgress()>;

  FirmwareUpdateDialog(Language language, TransferMode mode, ProgressSource progress)
      : language_(language), mode_(mode), progress_(std::move(progress)) {}

  std::string SkinFile() const override { return "view/FirmwareUpdateDialog.xml"; }
  std::string ClassName() const override { return "FirmwareUpdateDialog"; }
  void Notify(Notification& notification) override;
  bool HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;

 private:
  void Tick();
  void ShowPercent(int percent);

  Language language_;
  TransferMode mode_;
  ProgressSource progress_;
};

// What the dialog says when the transfer has ended: the link's own English
// outcome, or its Chinese text.
std::string TransferOutcomeText(Language language, TransferMode mode, int result);

}  // namespace dsp
