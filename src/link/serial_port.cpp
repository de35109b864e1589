// What the port says of itself, the same on every system; opening, reading,
// writing and losing the device are each system's (serial_port_posix.cpp,
// serial_port_win.cpp).
#include <utility>

#include "link/serial_port.h"

namespace dsp {

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
