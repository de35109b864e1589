#include "cli/session_setup.h"

#include "cli/cli_failure.h"
#include "persist/config_file.h"

namespace dsp {
namespace {

constexpr std::uint64_t kSimulationSeed = 1;

}  // namespace

Configuration LoadConfiguration(const GlobalOptions& options) {
  AttributeMap attributes;
  if (!options.config_path.empty()) {
    if (const FileResult read = ReadConfigFile(options.config_path, attributes); !read.Ok()) {
      throw CliFailure(read.message);
    }
  }
  std::vector<std::string> refused;
  Configuration config = ReadConfiguration(attributes, refused);
  if (!refused.empty()) throw CliFailure("\"" + options.config_path + "\": " + refused.front());
  if (options.baud) config.baud = static_cast<std::uint32_t>(*options.baud);
  if (options.scan_time_ms) config.scan_time_ms = static_cast<std::uint32_t>(*options.scan_time_ms);
  if (options.answer_wait_extra_ms) {
    config.answer_wait_extra_ms = static_cast<std::uint32_t>(*options.answer_wait_extra_ms);
  }
  return config;
}

std::unique_ptr<LineEndpoint> StartSimulation(const std::vector<DeviceSpec>& devices) {
  auto bus = std::make_unique<SimBus>(kSimulationSeed);
  for (const DeviceSpec& device : devices) bus->Add(device.name, device.inputs, device.outputs);
  std::string error;
  std::unique_ptr<LineEndpoint> endpoint = OpenLineEndpoint(std::move(bus), error);
  if (!endpoint) throw CliFailure("cannot start the simulated processors: " + error);
  return endpoint;
}

}  // namespace dsp
