#pragma once

// Finding the serial ports a processor bus may hang on.

#include <string>
#include <vector>

namespace dsp {

// Device paths that look like serial ports, in the order they are offered:
// USB adapters, USB modems, built-in UARTs, board UARTs, Bluetooth links;
// numeric order within each family (ttyUSB2 before ttyUSB10).
std::vector<std::string> CandidatePorts(const std::string& dev_dir = "/dev");

// The candidates that actually open at `baud` right now (each is closed again).
// `held`, a port this program has open, is listed while it is a candidate
// without being opened: a second open would fail on an exclusive port or
// disturb its line.
std::vector<std::string> OpenablePorts(int baud, const std::string& dev_dir = "/dev",
                                       const std::string& held = "");

}  // namespace dsp
