#include "link/port_list.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>


namespace dsp {
namespace {

constexpr std::string_view kFamilies[] = {"ttyUSB", "ttyACM", "ttyS", "ttyAMA", "rfcomm"};

// The unit number when `name` is the family prefix followed by digits only.
std::optional<unsigned long> UnitNumber(std::string_view name, std::string_view family) {
  if (!name.starts_with(family) || name.size() == family.size() || name.size() - family.size() > 9) return {};
  const std::string_view digits = name.substr(family.size());
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return {};
  return std::stoul(std::string(digits));
}

}  // namespace

std::vector<std::string> CandidatePorts(const std::string& dev_dir) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dev_dir, error)) {
    names.push_back(entry.path().filename().string());
  }
  std::vector<std::string> ports;
  for (std::string_view family : kFamilies) {
    std::vector<std::pair<unsigned long, std::string>> units;
    for (const std::string& name : names) {
      if (auto unit = UnitNumber(name, family)) units.emplace_back(*unit, name);
    }
    std::sort(units.begin(), units.end());
    for (const auto& [unit, name] : units) ports.push_back((std::filesystem::path(dev_dir) / name).string());
  }
  return ports;
}

}  // namespace dsp
