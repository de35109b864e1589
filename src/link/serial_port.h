#pragma once

// The serial device under the link: raw 8N1 at a standard speed, reads that
// return at once with what is buffered, writes bounded to about a second, and
// exclusive use so that a second program cannot interleave bytes on the bus.

#include <mutex>
#include <string>

#include "link/port_io.h"

namespace dsp {

inline constexpr int kDefaultBaud = 115200;

class CSerialPort : public PortIo {
 public:
  CSerialPort() = default;
  ~CSerialPort() override;
  CSerialPort(const CSerialPort&) = delete;
  CSerialPort& operator=(const CSerialPort&) = delete;

  // On failure the port stays closed and Error() tells the user why.
  bool Open(const std::string& path, int baud = kDefaultBaud);
  void Close();
  bool IsOpen() const;
  // The path given to the successful Open; empty while closed.
  std::string Path() const;
  // Why the last Open failed.
  std::string Error() const;

  // Both are safe to call while closed (nothing is written or read) and from
  // any thread; Close waits for a write in progress, which is bounded.
  std::size_t Write(ByteView bytes) override;
  std::size_t Read(std::span<std::uint8_t> into) override;

 private:
  std::size_t WriteLocked(ByteView bytes);
  void CloseLocked();

  mutable std::mutex mutex_;
  int fd_ = -1;
  std::string path_;
  std::string error_;
};

// Whether `baud` is one of the speeds the serial driver knows by name.
bool IsStandardBaud(int baud);

}  // namespace dsp
