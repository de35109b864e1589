#pragma once

// A device record's parameters as an INI file: one "input N" section per
// input, one "output N" section per output and a "router" section, keys in a
// fixed order, every value the record's integer in decimal, booleans 0 or 1.
// Identity (address, chip ID, name) is not stored. The record's own channel
// and band counts decide which sections and keys are written and read.

#include <string>

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
// a value loads by its leading digits (0 when none). A file that holds none of
// the sections this record reads is refused and the record left untouched:
// loading it would zero every parameter and then send the zeros to the
// processor.
FileResult LoadParameterFile(const std::string& path, DeviceRecord& record);

}  // namespace dsp
