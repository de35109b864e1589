#include "cli/device_output.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/utf8.h"

namespace dsp {
namespace {

std::string PadRight(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::string DeviceLabel(const DeviceRecord& device) {
  return PrintableText(device.Name()) + " (address " + std::to_string(device.Address()) + ")";
}

std::string DeviceTable(const DeviceList& devices) {
  std::size_t name_width = 4;
  for (const DeviceRecord& device : devices) name_width = std::max(name_width, PrintableText(device.Name()).size());
  std::string table = "ADDR  CHIP ID                  " + PadRight("NAME", name_width) + "  IN  OUT\n";
  for (const DeviceRecord& device : devices) {
    table += PadRight(std::to_string(device.Address()), 6) + ChipIdText(device.ChipId()) + "  " +
             PadRight(PrintableText(device.Name()), name_width) + "  " + PadRight(std::to_string(device.Inputs()), 4) +
             std::to_string(device.Outputs()) + "\n";
  }
  return table;
}

Json DeviceJson(const DeviceRecord& device) {
  return Json{{"address", device.Address()},
              {"chip_id", ChipIdText(device.ChipId())},
              {"name", device.Name()},
              {"inputs", device.Inputs()},
              {"outputs", device.Outputs()}};
}

}  // namespace dsp
