#include "app/port_watch.h"

#include <cstdlib>
#include <string_view>

#include "app/polling_port_watch.h"

namespace dsp {

std::unique_ptr<PortWatch> StartPortWatch(PortWatch::Callback on_change, PortWatchHost host) {
  const char* forced = std::getenv("DSPDESK_PORT_WATCH");
  if (forced != nullptr && std::string_view(forced) == "poll") {
    return std::make_unique<PollingPortWatch>(std::move(on_change), std::move(host));
  }
  return StartSystemPortWatch(std::move(on_change), std::move(host));
}

}  // namespace dsp
