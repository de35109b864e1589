#include "link/server_probe.h"

#include <unistd.h>

#include <string>
#include <thread>

#include "link/net_connect.h"

namespace dsp {

ServerProbe::ServerProbe(const PortName& name, int limit_ms) {
  std::thread([state = state_, host = name.host, port = name.tcp_port, limit_ms] {
    std::string reason;
    const int fd = ConnectTcp(host, port, limit_ms, reason);
    if (fd >= 0) ::close(fd);
    *state = fd >= 0 ? kAccepted : kRefused;
  }).detach();
}

std::optional<bool> ServerProbe::Result() const {
  const State state = *state_;
  if (state == kTrying) return std::nullopt;
  return state == kAccepted;
}

}  // namespace dsp
