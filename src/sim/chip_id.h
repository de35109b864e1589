#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace dsp {

using ChipId = std::array<std::uint8_t, 8>;

// The chip ID of the processor at `position` (0-based) on a bus built with
// `seed`: the same seed always gives the same IDs, and the positions of one
// seed never share an ID.
ChipId DeriveChipId(std::uint64_t seed, int position);

// Eight upper-case two-digit hex groups separated by spaces.
std::string FormatChipId(const ChipId& id);

}  // namespace dsp
