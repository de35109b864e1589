#pragma once

#include <string>

namespace dsp {

// A serial port plugged in or taken away.
struct PortChange {
  enum class Kind { kArrival, kRemoval };
  Kind kind = Kind::kArrival;
  std::string port;  // the device path, e.g. /dev/ttyUSB0

  bool operator==(const PortChange&) const = default;
};

}  // namespace dsp
