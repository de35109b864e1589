#include "sim/chip_id.h"

#include <cstdio>

#include "sim/sim_random.h"

namespace dsp {

ChipId DeriveChipId(std::uint64_t seed, int position) {
  // SplitMix64 is a bijection, and distinct positions give distinct inputs.
  const std::uint64_t bits = SplitMix64(seed + 0xD1B54A32D192ED03ull * static_cast<std::uint64_t>(position + 1));
  ChipId id{};
  for (std::size_t i = 0; i < id.size(); ++i) id[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  return id;
}

std::string FormatChipId(const ChipId& id) {
  std::string text;
  char group[4];
  for (std::uint8_t byte : id) {
    if (!text.empty()) text += ' ';
    std::snprintf(group, sizeof group, "%02X", byte);
    text += group;
  }
  return text;
}

}  // namespace dsp
