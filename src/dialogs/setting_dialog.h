#pragma once

// The serial port and the bus scan time, edited on a copy: the caller reads
// PortName() and ScanTimeMs() back only when ShowModal gives 1 (OK); Cancel
// and the close button give 2 and leave the caller's settings alone.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/step_filter.h"
#include "platform/window.h"

namespace dsp {

struct PortSettings {
  std::string port;
  int scan_time_ms = 0;
};

class SettingDialog : public Window {
 public:
  SettingDialog(int language, PortSettings settings, std::vector<std::string> ports)
      : language_(language), settings_(std::move(settings)), ports_(std::move(ports)) {}

  std::string SkinFile() const override { return "view/SettingDialog.xml"; }
  std::string ClassName() const override { return "SettingDialog"; }
  void Notify(Notification& notification) override;

  const PortSettings& Settings() const { return settings_; }

 private:
  void OnInit();
  void TakeTypedScanTime();
  void StepScanTime(const Notification& notification);
  void ShowScanTime();

  int language_;
  PortSettings settings_;
  std::vector<std::string> ports_;
  StepFilter steps_;
};

// The scan time typed into the edit: its leading decimal digits, or nothing
// when there are none or they make no time above 0 ms.
std::optional<int> TypedScanTime(std::string_view text);

}  // namespace dsp
