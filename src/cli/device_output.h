#pragma once

// How processors appear in dspctl's output.

#include <string>

#include "cli/json.h"
#include "model/chip_id.h"
#include "model/device_list.h"

namespace dsp {

// "Hall (address 1)", the name made safe for a terminal.
std::string DeviceLabel(const DeviceRecord& device);

// One line per processor under a heading: address, chip ID, name, inputs,
// outputs, in columns.
std::string DeviceTable(const DeviceList& devices);

// {"address", "chip_id", "name", "inputs", "outputs"}.
Json DeviceJson(const DeviceRecord& device);

}  // namespace dsp
