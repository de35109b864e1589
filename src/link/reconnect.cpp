#include "link/reconnect.h"

namespace dsp {

void Reconnect::Lost(const std::string& port) {
  Forget();
  std::string refused;
  std::optional<PortName> name = ParsePortName(port, refused);
  if (!name || name->kind == PortKind::kLocal) return;
  name_ = std::move(name);
  until_next_ms_ = kRetryMs;
}

void Reconnect::Forget() {
  name_.reset();
  probe_.reset();
}

std::optional<std::string> Reconnect::Tick(int elapsed_ms) {
  if (!name_) return std::nullopt;
  if (probe_) {
    const std::optional<bool> accepted = probe_->Result();
    if (!accepted) return std::nullopt;
    probe_.reset();
    if (*accepted) {
      const std::string port = name_->path;
      name_.reset();
      return port;
    }
  }
  until_next_ms_ -= elapsed_ms;
  if (until_next_ms_ > 0) return std::nullopt;
  until_next_ms_ = kRetryMs;
  probe_ = std::make_unique<ServerProbe>(*name_, kConnectLimitMs);
  return std::nullopt;
}

}  // namespace dsp
