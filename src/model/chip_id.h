#pragma once

// A processor's chip ID as people read and type it: eight bytes in
// hexadecimal, "2F 63 F8 0F 18 BF 78 60". Unlike the bus address, which
// each scan gives anew, it names the same unit every time.

#include <optional>
#include <string>
#include <string_view>

#include "model/device_record.h"

namespace dsp {

std::string ChipIdText(const ChipIdBytes& chip_id);

// Sixteen hexadecimal digits, blanks between them allowed; nothing for any
// other text.
std::optional<ChipIdBytes> ParseChipId(std::string_view text);

}  // namespace dsp
