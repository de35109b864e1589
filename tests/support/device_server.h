#pragma once

// A serial device server in front of a pseudo-terminal, as the tests meet
// one: socat bridging a TCP port (raw mode), or ser2net with an RFC 2217
// accepter. Each runs in its own process group, so stopping it also ends
// the child socat forks for a connection.

#include <sys/types.h>

#include <string>

namespace dsp::testing {

enum class ServerMode { kRaw, kRfc2217 };

class DeviceServer {
 public:
  // Serves `device` on a free TCP port of 127.0.0.1; files it needs go to `folder`.
  DeviceServer(ServerMode mode, const std::string& device, const std::string& folder);
  ~DeviceServer();
  DeviceServer(const DeviceServer&) = delete;
  DeviceServer& operator=(const DeviceServer&) = delete;

  // Whether it listens (it had ten seconds to start).
  bool Listening() const { return listening_; }
  // The port name the programs open: tcp://127.0.0.1:PORT or rfc2217://...
  std::string PortName() const;
  // The connections socat took in raw mode, over every Start.
  int ConnectionsAccepted() const;
  // Ends it and every child it has; Start serves again on the same TCP port.
  void Stop();
  void Start();

 private:
  ServerMode mode_;
  std::string device_;
  std::string folder_;
  int tcp_port_ = 0;
  pid_t group_ = -1;
  bool listening_ = false;
};

}  // namespace dsp::testing
