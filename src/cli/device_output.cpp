#include "cli/device_output.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/utf8.h"

namespace dsp {
namespace {

// Pads to `width` terminal columns: a Chinese character takes two.
std::string PadRight(const std::string& text, std::size_t width) {
  const std::size_t columns = TerminalWidth(text);
  return columns >= width ? text : text + std::string(width - columns, ' ');
}

}  // namespace

std::string DeviceLabel(const DeviceRecord& device) {
  return PrintableText(device.Name()) + " (address " + std::to_string(device.Address()) + ")";
}

std::string DeviceTable(const DeviceList& devices) {
  std::size_t name_width = 4;
  for (const DeviceRecord& device : devices) {
    name_width = std::max(name_width, TerminalWidth(PrintableText(device.Name())));
  }
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
