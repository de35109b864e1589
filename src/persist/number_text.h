#pragma once

// Number conversions of the file formats.

#include <cstdint>
#include <optional>
#include <string_view>

namespace dsp {

// Parameter files: leading blanks, an optional sign and the digits that
// follow; 0 when there are none. Values beyond the 32-bit range are held at
// its ends.
int LeadingInt(std::string_view text);

// Configuration values: the whole text (blanks around it aside) must be the
// number and fit in 32 bits, otherwise nothing is returned.
std::optional<std::uint32_t> ParseUnsignedHex(std::string_view text);  // "FF", "0x10"
std::optional<std::uint32_t> ParseUnsignedDecimal(std::string_view text);
std::optional<std::int32_t> ParseSignedDecimal(std::string_view text);  // "-96", "+5"

}  // namespace dsp
