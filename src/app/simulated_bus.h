#pragma once

// The processors of --simulate: a simulated bus served on a pseudo-terminal
// inside the program, opened like any serial port.

#include <memory>
#include <string>
#include <vector>

#include "sim/dspsim_options.h"
#include "sim/pty_endpoint.h"

namespace dsp {

// On failure returns nothing and says why in `error`.
std::unique_ptr<PtyEndpoint> StartSimulatedBus(const std::vector<DeviceSpec>& devices, std::string& error);

}  // namespace dsp
