#pragma once

// What a port name stands for: a local serial device (a path such as
// /dev/ttyUSB0), a serial device server in raw TCP mode (tcp://HOST:PORT), or
// one that speaks Telnet with COM-port control (rfc2217://HOST:PORT). IPv6
// addresses stand in brackets: tcp://[::1]:4001.

#include <optional>
#include <string>

namespace dsp {

enum class PortKind { kLocal, kTcp, kRfc2217 };

struct PortName {
  PortKind kind = PortKind::kLocal;
  std::string path;  // local: the device; network: the name as given
  std::string host;  // network only, without brackets
  int tcp_port = 0;  // network only
};

// Whether the name carries a scheme ("xyz://"); only such names are network ports.
bool IsNetworkPortName(const std::string& name);

// The parsed name, or nothing with `error` saying what to write instead.
std::optional<PortName> ParsePortName(const std::string& name, std::string& error);

// The same for a name that must be a network port: a local one is refused too.
std::optional<PortName> ParseNetworkPortName(const std::string& name, std::string& error);

}  // namespace dsp
