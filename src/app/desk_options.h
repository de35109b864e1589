#pragma once

// The command line of dspdesk beyond the toolkit's own options.

#include <optional>
#include <string>
#include <vector>

#include "sim/dspsim_options.h"

namespace dsp {

struct DeskOptions {
  std::vector<DeviceSpec> simulate;  // --simulate "Hall:8x8,Stage:4x8"
  std::optional<std::string> port;   // --port PATH, tcp://HOST:PORT or rfc2217://HOST:PORT
  std::optional<int> answer_wait_extra_ms;  // --answer-wait-extra MS
};

// Reads the arguments the toolkit left. Throws std::invalid_argument with a
// message for the user.
DeskOptions ParseDeskOptions(const std::vector<std::string>& arguments);

// The text that --help (-h) or --version asks for, if either is among the
// program's arguments: looked for before the window system starts, so that
// both answer without a display.
std::optional<std::string> DeskInfoText(const std::vector<std::string>& arguments);

std::string DeskUsage();

}  // namespace dsp
