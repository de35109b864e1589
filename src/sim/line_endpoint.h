#pragma once

// The simulated bus served in real time behind a device that the host opens
// by its path, like a serial port: a pseudo-terminal where the system has
// them (PtyEndpoint), a named pipe on Windows.

#include <memory>
#include <string>

#include "sim/sim_bus.h"

namespace dsp {

class LineEndpoint {
 public:
  virtual ~LineEndpoint() = default;
  // The device path the host opens.
  virtual const std::string& path() const = 0;
};

// Starts serving `bus`. On failure returns nothing and says why in `error`.
std::unique_ptr<LineEndpoint> OpenLineEndpoint(std::unique_ptr<SimBus> bus, std::string& error);

}  // namespace dsp
