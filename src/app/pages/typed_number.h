#pragma once

// Numbers typed into the pages' edit boxes. A value may be followed by a
// unit or a sign ("3.5 dB", "40%"); a comma stands for the decimal point
// ("3,5"). Text that is not a number, or a number followed by more than a
// unit ("1x5"), is no value at all, so that a slip of the keyboard never
// sets a channel to zero. A number too large for any box reads as the
// largest one (of its sign): the box then holds it at its limit.

#include <optional>
#include <string_view>

namespace dsp {

std::optional<double> TypedDecimal(std::string_view text);
// A typed decimal cut toward zero, held within the range of long long.
std::optional<long long> TypedInteger(std::string_view text);

// A typed decimal in hundredths, truncated toward zero ("12.345" is 1234)
// and held within min..max. The digits typed decide: 2.3 gives 230,
// although 2.3 x 100 comes out just below 230 in binary.
int HundredthsWithin(double value, int min, int max);

}  // namespace dsp
