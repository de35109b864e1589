#include "app/pages/eq_filter_items.h"

namespace dsp {
namespace {

constexpr int kSlopesPerType = 8;
constexpr int kOddSlopeType = 2;

}  // namespace

std::optional<FilterShapeCodes> FilterItemCodes(int item) {
  if (item < 0 || item >= kFilterItems) return std::nullopt;
  if (item < kOddSlopeType * kSlopesPerType) return FilterShapeCodes{item / kSlopesPerType, item % kSlopesPerType};
  return FilterShapeCodes{kOddSlopeType, 2 * (item - kOddSlopeType * kSlopesPerType) + 1};
}

std::optional<int> FilterItemOf(FilterShapeCodes codes) {
  for (int item = 0; item < kFilterItems; ++item) {
    if (FilterItemCodes(item) == codes) return item;
  }
  return std::nullopt;
}

}  // namespace dsp
