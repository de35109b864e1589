#include "sim/filter_shape.h"

namespace dsp {
namespace {

constexpr std::uint8_t kOddSlopeFamily = 2;

}  // namespace

FilterShape DecodeWrittenShape(std::uint8_t shape, bool high_pass, bool on) {
  const auto type = static_cast<std::uint8_t>(shape >> 4);
  const auto low = static_cast<std::uint8_t>(shape & 0x0F);
  if (type == kOddSlopeFamily && on) return {type, static_cast<std::uint8_t>(high_pass ? low : low + 1)};
  return {type, static_cast<std::uint8_t>(low >> 1)};
}

std::uint8_t EncodeReadShape(FilterShape shape, bool high_pass) {
  int low = 0;
  if (shape.type == kOddSlopeFamily) {
    low = shape.slope > 0 ? shape.slope - 1 : 0;
  } else {
    low = 2 * shape.slope + (high_pass ? 1 : 0);
  }
  return static_cast<std::uint8_t>((shape.type << 4) | (low & 0x0F));
}

}  // namespace dsp
