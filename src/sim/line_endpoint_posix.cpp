#include "sim/line_endpoint.h"
#include "sim/pty_endpoint.h"

namespace dsp {

std::unique_ptr<LineEndpoint> OpenLineEndpoint(std::unique_ptr<SimBus> bus, std::string& error) {
  return PtyEndpoint::Open(std::move(bus), error);
}

}  // namespace dsp
