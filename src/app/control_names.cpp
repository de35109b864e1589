#include "app/control_names.h"

#include <cctype>

#include "model/device_record.h"

namespace dsp {
namespace {

constexpr std::string_view kMatrixPrefix = "button_in_";
constexpr std::string_view kMatrixMiddle = "_out_";

}  // namespace

std::string_view SideName(int side) { return side == kOutputSide ? "output" : "input"; }

std::string Channel(std::string_view family, int channel) {
  return std::string(family) + (channel == kAllChannels ? "_all" : "_" + std::to_string(channel));
}

std::string SidedName(std::string_view pattern, int side) {
  std::string name(pattern);
  if (const std::size_t at = name.find("%s"); at != std::string::npos) name.replace(at, 2, SideName(side));
  return name;
}

std::optional<int> TrailingIndex(std::string_view name) {
  const std::size_t underscore = name.rfind('_');
  if (underscore == std::string_view::npos || underscore == 0) return std::nullopt;
  const std::string_view digits = name.substr(underscore + 1);
  if (digits.empty() || digits.size() > 3) return std::nullopt;
  int index = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    index = index * 10 + (c - '0');
  }
  return index;
}

std::optional<int> ChannelOf(std::string_view name) {
  if (name.ends_with("_all")) return kAllChannels;
  const auto index = TrailingIndex(name);
  if (!index || *index >= kChannelsPerSide) return std::nullopt;
  return index;
}

std::string MatrixCell(int input, int output) {
  return std::string(kMatrixPrefix) + static_cast<char>('a' + input) + std::string(kMatrixMiddle) +
         std::to_string(output + 1);
}

std::optional<std::pair<int, int>> MatrixCellOf(std::string_view name) {
  const std::size_t length = kMatrixPrefix.size() + 1 + kMatrixMiddle.size() + 1;
  if (name.size() != length || !name.starts_with(kMatrixPrefix)) return std::nullopt;
  if (name.substr(kMatrixPrefix.size() + 1, kMatrixMiddle.size()) != kMatrixMiddle) return std::nullopt;
  const int input = name[kMatrixPrefix.size()] - 'a';
  const int output = name.back() - '1';
  if (input < 0 || input >= kChannelsPerSide || output < 0 || output >= kChannelsPerSide) return std::nullopt;
  return std::pair{input, output};
}

}  // namespace dsp
