#pragma once

// What a session needs before it can talk to the bus: the configuration
// values and the simulated processors of --simulate.

#include <memory>
#include <string>
#include <vector>

#include "cli/options.h"
#include "model/configuration.h"
#include "sim/line_endpoint.h"

namespace dsp {

// The values of --config (or the defaults), then --baud, --scan-time and
// --answer-wait-extra over them. Throws CliFailure when the file cannot be read or understood.
Configuration LoadConfiguration(const GlobalOptions& options);

// The processors of --simulate behind a fresh device of their own. The seed is
// fixed, so chip IDs and the order of discovery repeat from run to run.
std::unique_ptr<LineEndpoint> StartSimulation(const std::vector<DeviceSpec>& devices);

}  // namespace dsp
