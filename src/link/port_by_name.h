#pragma once

// The port the link opens by name: the name decides whether it is a local
// serial device or a device server on the network (see port_name.h). Both
// kinds stay in place for the link's lifetime, so the link's threads can
// read and write while the window opens and closes ports: calls reach the
// one that is open, and a closed port takes them harmlessly.

#include <atomic>

#include "link/net_port.h"
#include "link/serial_port.h"

namespace dsp {

class PortByName : public BusPort {
 public:
  bool Open(const std::string& path, int baud = kDefaultBaud) override;
  void Close() override;
  bool IsOpen() const override;
  std::string Path() const override;
  std::string Error() const override;
  std::optional<PortLoss> TakeLoss() override;

  std::size_t Write(ByteView bytes) override { return Current().Write(bytes); }
  std::size_t Read(std::span<std::uint8_t> into) override { return Current().Read(into); }
  void WaitForBytes(int bound_ms, Sleeper& sleeper) override { Current().WaitForBytes(bound_ms, sleeper); }

 private:
  BusPort& Current() { return network_ ? static_cast<BusPort&>(net_) : serial_; }
  const BusPort& Current() const { return network_ ? static_cast<const BusPort&>(net_) : serial_; }

  CSerialPort serial_;
  CNetPort net_;
  // Which of the two the last Open named.
  std::atomic<bool> network_{false};
};

}  // namespace dsp
