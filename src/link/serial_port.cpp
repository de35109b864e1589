// What is the same on every system: the checks before an open and what the
// port says of itself; opening, reading, writing and losing the device are
// each system's (serial_port_posix.cpp,
// serial_port_win.cpp).
#include <utility>

#include "link/serial_port.h"

namespace dsp {

CSerialPort::~CSerialPort() { Close(); }

std::optional<std::string> CSerialPort::RefusalBeforeOpenLocked(const std::string& path, int baud) const {
  if (device_ != kNoDevice) return path_ + " is already open: close it first.";
  if (path.empty()) return "No port chosen: choose a serial port.";
  if (baud <= 0) {
    return std::to_string(baud) + " baud is no serial speed: choose one such as 9600, 19200, 57600 or 115200.";
  }
  return std::nullopt;
}

bool CSerialPort::IsOpen() const {
  std::lock_guard lock(mutex_);
  return device_ != kNoDevice;
}

std::string CSerialPort::Path() const {
  std::lock_guard lock(mutex_);
  return path_;
}

std::string CSerialPort::Error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

std::optional<PortLoss> CSerialPort::TakeLoss() {
  std::lock_guard lock(mutex_);
  return std::exchange(loss_, std::nullopt);
}

}  // namespace dsp
