#pragma once

// A device record's parameters as an INI file: one "input N" section per
// input, one "output N" section per output and a "router" section, keys in a
// fixed order, every value the record's integer in decimal, booleans 0 or 1.
// The record's own channel and band counts decide which sections and keys are
// written and read. A "processor" section names the unit the file was saved
// from (chip ID and name); loading the parameters ignores it, as other
// readers of the format do, and address, chip ID and name never load.

#include <optional>
#include <string>

#include "model/configuration.h"
#include "model/device_record.h"
#include "persist/file_result.h"

namespace dsp {

// The name a file dialog's choice is saved under: ".ini" appended unless the
// name already ends in it (any case).
std::string WithIniExtension(const std::string& name);

// Writes the whole file in one step; on failure any previous file of that
// name is left as it was.
FileResult SaveParameterFile(const DeviceRecord& record, const std::string& path);

// Fills the record from the file. A key or section the file lacks loads as 0,
// a value loads by its leading digits (0 when none). The file is refused and
// the record left untouched when it holds none of the sections this record
// reads (loading it would zero every parameter and send the zeros to the
// processor) or when a value lies outside what its key can carry to the
// processor (the message names section, key and value); the thresholds'
// ranges follow the configured offsets.
FileResult LoadParameterFile(const std::string& path, const Configuration& config, DeviceRecord& record);

// The processor a file was saved from.
struct ParameterFileOrigin {
  ChipIdBytes chip_id{};
  std::string name;
};

// The file's "processor" section; nothing when the file has none or its chip
// ID does not read as one (a file saved before the section existed).
FileResult ReadParameterFileOrigin(const std::string& path, std::optional<ParameterFileOrigin>& origin);

}  // namespace dsp
