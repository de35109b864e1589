#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/device_output.h"
#include "cli/session_setup.h"
#include "link/port_list.h"

namespace dsp {

void RunPorts(const GlobalOptions& options, Console& console) {
  const std::vector<std::string> ports = OpenablePorts(static_cast<int>(LoadConfiguration(options).baud));
  std::string text;
  Json list = Json::array();
  for (const std::string& port : ports) {
    text += port + "\n";
    list.emplace_back(port);
  }
  if (ports.empty()) console.Note("no serial port opens");
  console.Result(text, Json{{"ports", std::move(list)}});
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
