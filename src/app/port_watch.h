#pragma once

// Notices serial ports being plugged in or taken away while the window runs
// and reports each on the UI thread. Where the system announces them (udev
// on Linux) the watch listens; elsewhere it compares the ports that open
// every two seconds. DSPDESK_PORT_WATCH=poll picks the comparing watch on
// any system.

#include <functional>
#include <memory>
#include <string>

#include "app/port_change.h"

namespace dsp {

class PortWatch {
 public:
  using Callback = std::function<void(const PortChange&)>;
  virtual ~PortWatch() = default;
};

// What the comparing watch needs of the window: the line speed to open ports
// at, and the port the window has open, which it must leave alone.
struct PortWatchHost {
  int baud = 0;
  std::function<std::string()> port_in_use;
};

// The watch the build and the environment choose.
std::unique_ptr<PortWatch> StartPortWatch(PortWatch::Callback on_change, PortWatchHost host);

// The system's own watch: udev where the build has it and it answers, else
// the comparing one.
std::unique_ptr<PortWatch> StartSystemPortWatch(PortWatch::Callback on_change, PortWatchHost host);

}  // namespace dsp
