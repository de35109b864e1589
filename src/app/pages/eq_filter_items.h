#pragma once

// The 20 items of the high-pass and low-pass type selectors and the
// (type, slope) codes of the record they stand for: items 0..7 are type 0
// with slopes 0..7, items 8..15 type 1 with slopes 0..7, items 16..19
// type 2 with the odd slopes 1, 3, 5, 7.

#include <optional>

namespace dsp {

inline constexpr int kFilterItems = 20;

struct FilterShapeCodes {
  int type = 0;
  int slope = 0;
  bool operator==(const FilterShapeCodes&) const = default;
};

// Nothing for an index outside 0..19.
std::optional<FilterShapeCodes> FilterItemCodes(int item);
// The item of a pair, or nothing for a pair no item offers (one read from a
// file, say).
std::optional<int> FilterItemOf(FilterShapeCodes codes);

}  // namespace dsp
