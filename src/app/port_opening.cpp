#include "app/port_opening.h"

namespace dsp {

void PortOpening::Start(PortLink& link, const std::string& port, int baud) {
  port_ = port;
  ended_ = false;
  thread_ = std::thread([this, &link, port, baud] {
    opened_ = link.Open(port, baud);
    ended_ = true;
  });
}

std::optional<bool> PortOpening::TakeResult() {
  if (!thread_.joinable() || !ended_) return std::nullopt;
  thread_.join();
  return opened_;
}

void PortOpening::Abandon() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace dsp
