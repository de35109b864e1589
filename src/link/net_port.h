#pragma once

// A serial device server reached over TCP, as a port of the bus: raw bytes
// for tcp://HOST:PORT, Telnet with COM-port control for rfc2217://HOST:PORT.
// It behaves as a local port does: reads return at once with what has
// arrived, writes are bounded to about a second, the connect to a few
// seconds, and a connection that drops is closed and kept as a loss, as an
// adapter pulled out is.

#include <mutex>
#include <optional>
#include <string>

#include "link/bus_port.h"
#include "link/port_name.h"
#include "link/telnet_codec.h"

namespace dsp {

class CNetPort : public BusPort {
 public:
  CNetPort() = default;
  ~CNetPort() override;
  CNetPort(const CNetPort&) = delete;
  CNetPort& operator=(const CNetPort&) = delete;

  // `path` is a tcp:// or rfc2217:// name; the host is resolved anew on
  // every open. The baud rate is what an RFC 2217 server sets its line to.
  bool Open(const std::string& path, int baud = kDefaultBaud) override;
  void Close() override;
  bool IsOpen() const override;
  std::string Path() const override;
  std::string Error() const override;
  std::optional<PortLoss> TakeLoss() override;

  std::size_t Write(ByteView bytes) override;
  std::size_t Read(std::span<std::uint8_t> into) override;
  void WaitForBytes(int bound_ms, Sleeper& sleeper) override;

 private:
  std::string AlreadyOpenLocked() const;
  // `fd` is connected to the server; rfc2217 sends its opening on it.
  bool TakeConnectionLocked(int fd, const PortName& name, int baud);
  std::size_t SendLocked(ByteView wire);
  void CloseLocked();
  void LoseLocked(const std::string& reason);

  mutable std::mutex mutex_;
  int fd_ = -1;
  std::string path_;
  std::string error_;
  std::optional<TelnetCodec> telnet_;  // rfc2217 only
  std::optional<PortLoss> loss_;
};

}  // namespace dsp
