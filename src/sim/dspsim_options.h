#pragma once

// The command line of dspsim.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim_faults.h"
#include "sim/sim_processor.h"

namespace dsp {

struct DeviceSpec {
  std::string name;
  int inputs = 0;
  int outputs = 0;
};

struct DspsimOptions {
  std::vector<DeviceSpec> devices;
  std::uint64_t seed = 1;
  DiscoveryBehaviour discovery = DiscoveryBehaviour::kHalves;
  std::string link_path;
  std::string dump_dir;
  SimFaults faults;
  std::optional<int> hang_up_after;
  int effect_blocks = 0;  // 0: the processor's default
  bool help = false;      // nothing else is filled then
  bool version = false;   // nor then
};

struct ParsedOptions {
  std::optional<DspsimOptions> options;
  std::string error;  // set when options is empty
};

ParsedOptions ParseDspsimArgs(const std::vector<std::string>& args);
std::string DspsimUsage();

}  // namespace dsp
