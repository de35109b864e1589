#include "app/polling_port_watch.h"

#include <algorithm>
#include <utility>

#include "link/port_list.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

bool Contains(const std::vector<std::string>& ports, const std::string& port) {
  return std::find(ports.begin(), ports.end(), port) != ports.end();
}

}  // namespace

PollingPortWatch::PollingPortWatch(Callback on_change, PortWatchHost host, std::string dev_dir)
    : on_change_(std::move(on_change)), host_(std::move(host)), dev_dir_(std::move(dev_dir)), known_(PresentPorts()) {
  timer_ = Toolkit::GetClock().StartTimer(kPeriodMs, true, [this] { Look(); });
}

PollingPortWatch::~PollingPortWatch() { Toolkit::GetClock().StopTimer(timer_); }

std::vector<std::string> PollingPortWatch::PresentPorts() const {
  return OpenablePorts(host_.baud, dev_dir_, host_.port_in_use ? host_.port_in_use() : std::string());
}

// Removals go first, so that an adapter swapped for another between two
// looks reads as the old one leaving and the new one arriving.
void PollingPortWatch::Look() {
  const std::vector<std::string> present = PresentPorts();
  const std::vector<std::string> before = std::exchange(known_, present);
  for (const std::string& port : before) {
    if (!Contains(present, port)) on_change_({PortChange::Kind::kRemoval, port});
  }
  for (const std::string& port : present) {
    if (!Contains(before, port)) on_change_({PortChange::Kind::kArrival, port});
  }
}

}  // namespace dsp
