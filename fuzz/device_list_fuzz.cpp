// The lists of simulated processors: dspctl's --simulate and dspsim's
// --devices. Whatever is accepted names processors of 1 to 8 channels a side.

#include <cstddef>
#include <cstdint>
#include <string>

#include "cli/cli_failure.h"
#include "cli/options.h"
#include "sim/dspsim_options.h"

namespace {

void CheckDevices(const std::vector<dsp::DeviceSpec>& devices) {
  for (const dsp::DeviceSpec& device : devices) {
    if (device.inputs < 1 || device.inputs > 8 || device.outputs < 1 || device.outputs > 8) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string list(reinterpret_cast<const char*>(data), size);
  try {
    CheckDevices(dsp::ParseCommandLine({"--simulate", list, "scan"}).global.simulate);
  } catch (const dsp::UsageError&) {
  }
  const dsp::ParsedOptions parsed = dsp::ParseDspsimArgs({"--devices", list});
  if (parsed.options) CheckDevices(parsed.options->devices);
  return 0;
}
