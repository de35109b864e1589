#include "link/reconnect.h"

#include <utility>

#include "link/port_name.h"

namespace dsp {

void Reconnect::Lost(const std::string& port) {
  Forget();
  std::string refused;
  if (!ParseNetworkPortName(port, refused)) return;
  port_ = port;
  until_next_ms_ = kRetryMs;
}

std::optional<std::string> Reconnect::Tick(int elapsed_ms) {
  if (!port_) return std::nullopt;
  until_next_ms_ -= elapsed_ms;
  if (until_next_ms_ > 0) return std::nullopt;
  return std::exchange(port_, std::nullopt);
}

}  // namespace dsp
