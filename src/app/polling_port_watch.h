#pragma once

// The port watch for systems that do not announce ports: every two seconds
// it lists the serial ports that open and reports the ones that came and
// went since the last look. The port the window has open is never opened
// (that would fail on an exclusive port, or disturb its line): it counts as
// there while the system still lists it.

#include <string>
#include <vector>

#include "app/port_watch.h"
#include "platform/clock.h"

namespace dsp {

class PollingPortWatch : public PortWatch {
 public:
  static constexpr int kPeriodMs = 2000;

  // Takes the ports present now as known: only later changes are reported.
  // `dev_dir` is where the system's device files are (tests use a folder of
  // their own).
  PollingPortWatch(Callback on_change, PortWatchHost host, std::string dev_dir = "/dev");
  ~PollingPortWatch() override;
  PollingPortWatch(const PollingPortWatch&) = delete;
  PollingPortWatch& operator=(const PollingPortWatch&) = delete;

 private:
  std::vector<std::string> PresentPorts() const;
  void Look();

  Callback on_change_;
  PortWatchHost host_;
  std::string dev_dir_;
  std::vector<std::string> known_;
  Clock::TimerId timer_ = 0;
};

}  // namespace dsp
