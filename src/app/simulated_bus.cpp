#include "app/simulated_bus.h"

namespace dsp {

std::unique_ptr<PtyEndpoint> StartSimulatedBus(const std::vector<DeviceSpec>& devices, std::string& error) {
  auto bus = std::make_unique<SimBus>();
  for (const DeviceSpec& device : devices) bus->Add(device.name, device.inputs, device.outputs);
  return PtyEndpoint::Open(std::move(bus), error);
}

}  // namespace dsp
