#pragma once

// The serial device under the link: raw 8N1 at the configured speed, reads
// that return at once with what is buffered, writes bounded to about a
// second, and exclusive use so that a second program cannot interleave bytes
// on the bus. Closing gives the device its former line settings back. A
// device that hangs up or fails with an I/O error (an adapter pulled out) is
// closed at once and the loss kept for the link's owner to collect.

#include <mutex>
#include <optional>
#include <string>

#include "link/bus_port.h"
#include "link/line_settings.h"

namespace dsp {

class CSerialPort : public BusPort {
 public:
  CSerialPort() = default;
  ~CSerialPort() override;
  CSerialPort(const CSerialPort&) = delete;
  CSerialPort& operator=(const CSerialPort&) = delete;

  // On failure the port stays closed and Error() tells the user why.
  bool Open(const std::string& path, int baud = kDefaultBaud) override;
  void Close() override;
  bool IsOpen() const override;
  // The path given to the successful Open; empty while closed.
  std::string Path() const override;
  // Why the last Open failed.
  std::string Error() const override;

  // The loss of the port since the last call, if it was lost; reported once.
  std::optional<PortLoss> TakeLoss() override;

  // Both are safe to call while closed (nothing is written or read) and from
  // any thread; Close waits for a write in progress, which is bounded.
  std::size_t Write(ByteView bytes) override;
  std::size_t Read(std::span<std::uint8_t> into) override;
  // Does not hold the port while it waits, so Close never waits for it.
  void WaitForBytes(int bound_ms, Sleeper& sleeper) override;

 private:
  // Why Open must refuse before touching the system: already open, no
  // name, no speed.
  std::optional<std::string> RefusalBeforeOpenLocked(const std::string& path, int baud) const;
  std::size_t WriteLocked(ByteView bytes);
  void CloseLocked();
  // `error` is the system's code: errno, or GetLastError() on Windows.
  void LoseLocked(int error);

  mutable std::mutex mutex_;
  NativeDevice device_ = kNoDevice;
  std::string path_;
  std::string error_;
  SavedLine saved_line_;
  std::optional<PortLoss> loss_;
};

}  // namespace dsp
