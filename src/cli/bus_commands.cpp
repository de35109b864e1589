#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/device_output.h"
#include "cli/session_setup.h"
#include "link/port_list.h"

namespace dsp {

// The network ports are listed as configured, not tried: connecting to each
// could take seconds, and a server may serve one client at a time.
void RunPorts(const GlobalOptions& options, Console& console) {
  const Configuration config = LoadConfiguration(options);
  const std::vector<std::string> ports = OpenablePorts(static_cast<int>(config.baud));
  std::string text;
  Json list = Json::array();
  for (const std::string& port : ports) {
    text += port + "\n";
    list.emplace_back(port);
  }
  Json network = Json::array();
  for (const std::string& port : config.network_ports) {
    text += port + "  (network, from the configuration)\n";
    network.emplace_back(port);
  }
  if (ports.empty()) console.Note("no serial port opens");
  console.Result(text, Json{{"ports", std::move(list)}, {"network_ports", std::move(network)}});
}

void RunScan(Session& session) {
  session.Scan();
  const DeviceList& devices = session.devices();
  Json list = Json::array();
  for (const DeviceRecord& device : devices) list.push_back(DeviceJson(device));
  if (devices.empty() && !session.LongerScanTimeMs()) session.console().Note("no processor answered the scan on " + session.port());
  session.console().Result(devices.empty() ? "" : DeviceTable(devices),
                           Json{{"port", session.port()}, {"devices", std::move(list)}});
}

}  // namespace dsp
