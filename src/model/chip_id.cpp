#include "model/chip_id.h"

#include <cctype>
#include <cstdio>

namespace dsp {

std::string ChipIdText(const ChipIdBytes& chip_id) {
  std::string text;
  for (std::uint8_t byte : chip_id) {
    char group[4];
    std::snprintf(group, sizeof group, "%02X", byte);
    if (!text.empty()) text += ' ';
    text += group;
  }
  return text;
}

std::optional<ChipIdBytes> ParseChipId(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c == ' ') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    digits += c;
  }
  if (digits.size() != 2 * ChipIdBytes().size()) return std::nullopt;
  ChipIdBytes chip_id{};
  for (std::size_t i = 0; i < chip_id.size(); ++i) {
    chip_id[i] = static_cast<std::uint8_t>(std::stoi(digits.substr(2 * i, 2), nullptr, 16));
  }
  return chip_id;
}

}  // namespace dsp
