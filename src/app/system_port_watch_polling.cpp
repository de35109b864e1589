// Builds without udev (Windows) compare the ports that open.
#include "app/polling_port_watch.h"

namespace dsp {

std::unique_ptr<PortWatch> StartSystemPortWatch(PortWatch::Callback on_change, PortWatchHost host) {
  return std::make_unique<PollingPortWatch>(std::move(on_change), std::move(host));
}

}  // namespace dsp
