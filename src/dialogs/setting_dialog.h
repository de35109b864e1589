#pragma once

// The serial port and the bus scan time, edited on a copy: the caller reads
// Settings() back only when ShowModal gives 1 (OK); Cancel and the close
// button give 2 and leave the caller's settings alone. A network port may be
// typed (tcp://HOST:PORT, rfc2217://HOST:PORT): Enter or OK takes it into
// the list and chooses it; a name that does not parse is refused, saying
// what to write.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "language/language.h"
#include "platform/step_filter.h"
#include "platform/window.h"

namespace dsp {

struct PortSettings {
  std::string port;
  int scan_time_ms = 0;
};

class SettingDialog : public Window {
 public:
  SettingDialog(Language language, PortSettings settings, std::vector<std::string> ports)
      : language_(language), settings_(std::move(settings)), ports_(std::move(ports)) {}

  std::string SkinFile() const override { return "view/SettingDialog.xml"; }
  std::string ClassName() const override { return "SettingDialog"; }
  void Notify(Notification& notification) override;

  const PortSettings& Settings() const { return settings_; }

 private:
  void OnInit();
  // False when the typed network port was refused.
  bool TakeTypedPort();
  void TakeTypedScanTime();
  void StepScanTime(const Notification& notification);
  void ShowScanTime();

  Language language_;
  PortSettings settings_;
  std::vector<std::string> ports_;
  StepFilter steps_;
  bool refusing_ = false;  // the refusal's message box has taken the focus
};

// The scan time typed into the edit: its leading decimal digits (a number
// beyond 64 bits reads as the largest), or nothing when there are none or
// they make no time above 0 ms. Times above kLongestScanMs are refused by
// the dialog, as by the configuration and the command-line tool.
std::optional<std::int64_t> TypedScanTime(std::string_view text);

}  // namespace dsp
