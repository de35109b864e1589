#include "link/port_name.h"

#include <charconv>
#include <string_view>

namespace dsp {
namespace {

constexpr std::string_view kSchemeMark = "://";
constexpr int kHighestTcpPort = 65535;

std::string Instead(const std::string& name, const std::string& what) {
  return "\"" + name + "\" " + what + ": write tcp://HOST:PORT or rfc2217://HOST:PORT (IPv6 as [ADDRESS]), " +
         "or a serial device such as /dev/ttyUSB0";
}

std::optional<PortKind> SchemeKind(std::string_view scheme) {
  if (scheme == "tcp") return PortKind::kTcp;
  if (scheme == "rfc2217") return PortKind::kRfc2217;
  return std::nullopt;
}

std::optional<int> TcpPort(std::string_view digits) {
  int port = 0;
  const char* end = digits.data() + digits.size();
  const auto parsed = std::from_chars(digits.data(), end, port);
  if (digits.empty() || parsed.ec != std::errc() || parsed.ptr != end || port < 1 || port > kHighestTcpPort) {
    return std::nullopt;
  }
  return port;
}

}  // namespace

bool IsNetworkPortName(const std::string& name) { return name.find(kSchemeMark) != std::string::npos; }

std::optional<PortName> ParsePortName(const std::string& name, std::string& error) {
  const std::size_t mark = name.find(kSchemeMark);
  if (mark == std::string::npos) return PortName{PortKind::kLocal, name, "", 0};
  const std::optional<PortKind> kind = SchemeKind(std::string_view(name).substr(0, mark));
  if (!kind) {
    error = Instead(name, "names no known kind of port");
    return std::nullopt;
  }
  std::string_view rest = std::string_view(name).substr(mark + kSchemeMark.size());
  std::string_view host;
  if (rest.starts_with('[')) {
    const std::size_t close = rest.find(']');
    if (close == std::string_view::npos) {
      error = Instead(name, "opens an IPv6 address with [ and never closes it");
      return std::nullopt;
    }
    host = rest.substr(1, close - 1);
    rest = rest.substr(close + 1);
    if (!rest.empty() && !rest.starts_with(':')) {
      error = Instead(name, "has something other than :PORT after the address");
      return std::nullopt;
    }
  } else {
    host = rest.substr(0, rest.rfind(':'));
    if (host.find(':') != std::string_view::npos) {
      error = Instead(name, "has an IPv6 address without brackets");
      return std::nullopt;
    }
    rest = rest.substr(host.size());
  }
  if (host.empty()) {
    error = Instead(name, "names no host");
    return std::nullopt;
  }
  if (rest.empty()) {
    error = Instead(name, "names no TCP port");
    return std::nullopt;
  }
  const std::optional<int> port = TcpPort(rest.substr(1));
  if (!port) {
    error = Instead(name, "has no TCP port from 1 to 65535");
    return std::nullopt;
  }
  return PortName{*kind, name, std::string(host), *port};
}

std::optional<PortName> ParseNetworkPortName(const std::string& name, std::string& error) {
  std::optional<PortName> parsed = ParsePortName(name, error);
  if (parsed && parsed->kind == PortKind::kLocal) {
    error = "\"" + name + "\" is no network port: write tcp://HOST:PORT or rfc2217://HOST:PORT.";
    return std::nullopt;
  }
  return parsed;
}

}  // namespace dsp
