#pragma once

// A processor as the API shows it: named by its chip ID, its parameters in
// the parameter file's sections and keys, its levels in dB.

#include <optional>
#include <string>
#include <string_view>

#include "cli/json.h"
#include "model/configuration.h"
#include "model/device_record.h"

namespace dsp {

// The chip ID as sixteen hexadecimal digits without blanks, as the backup
// names its files: "2F63F80F18BF7860".
std::string ProcessorId(const DeviceRecord& record);
// The chip ID of such an identifier; nothing for any other text (blanks
// included: a path segment names the unit one way only).
std::optional<ChipIdBytes> ParseProcessorId(std::string_view text);

// Chip ID, address, name, channel counts and whether it answers the level poll.
Json ProcessorSummary(const DeviceRecord& record, bool connected);
// The summary with the preset names and every parameter.
Json ProcessorDocument(const DeviceRecord& record, bool connected);
// {"input 0": {"gain": -750, ...}, ..., "router": {...}}
Json ParameterSections(const DeviceRecord& record);
// The sections and keys whose values differ between two records of the
// same processor, with the values of `after`.
Json ChangedParameters(const DeviceRecord& before, const DeviceRecord& after);
// {"inputs": [dB...], "outputs": [dB...]} of the last level reading.
Json LevelsDb(const DeviceRecord& record, const Configuration& config);

}  // namespace dsp
