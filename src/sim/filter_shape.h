#pragma once

// The shape byte of an output filter carries the family in its high nibble and
// the order in its low nibble, with a layout that depends on the family, the
// filter (high or low pass) and, for family 2, on whether the filter is on.

#include <cstdint>

namespace dsp {

struct FilterShape {
  std::uint8_t type = 0;
  std::uint8_t slope = 0;
};

// What a filter write means. Families 0 and 1 carry 2 x slope (+1 for the high
// pass); family 2 carries the slope itself (high pass) or slope - 1 (low pass)
// while the filter is on, and 2 x slope (+1) while it is off.
FilterShape DecodeWrittenShape(std::uint8_t shape, bool high_pass, bool on);

// The shape byte of a filter read reply, laid out so that the host recovers
// the slope: 2 x slope (+1 for the high pass) for families 0 and 1, and
// slope - 1 for family 2, whose slopes the host rebuilds as 2 x (s >> 1) + 1.
std::uint8_t EncodeReadShape(FilterShape shape, bool high_pass);

}  // namespace dsp
