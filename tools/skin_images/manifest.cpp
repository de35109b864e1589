#include "skin_images/manifest.h"

#include <charconv>
#include <set>
#include <sstream>
#include <variant>

namespace dsp {
namespace {

// Large enough for an application icon at 4x, small enough that a typo such
// as 5600 is caught instead of filling the disk.
constexpr int kMaxSide = 1024;

bool IsOutputName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

bool IsSourceName(std::string_view name) {
  return name.size() > 4 && name.ends_with(".svg") &&
         name.find('/') == std::string_view::npos &&
         name.find('\\') == std::string_view::npos;
}

std::optional<int> ParseSide(std::string_view text) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 1 || value > kMaxSide) return std::nullopt;
  return value;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

std::variant<ImageEntry, std::string> ParseEntry(const std::vector<std::string>& f) {
  if (f.size() != 5)
    return "expected 5 fields (source output width height variants), found " +
           std::to_string(f.size());
  if (!IsSourceName(f[0]))
    return "source '" + f[0] + "' must be an .svg file name beside the manifest";
  if (!IsOutputName(f[1]))
    return "output name '" + f[1] + "' may hold only a-z, 0-9 and '_'";
  auto width = ParseSide(f[2]);
  auto height = ParseSide(f[3]);
  if (!width || !height)
    return "size '" + f[2] + " " + f[3] + "' must be two whole numbers from 1 to " +
           std::to_string(kMaxSide);
  auto variants = VariantSetNamed(f[4]);
  if (!variants)
    return "variants '" + f[4] + "' must be one of single, page, button, danger";
  return ImageEntry{f[0], f[1], *width, *height, *variants, 0};
}

}  // namespace

Manifest ParseManifest(std::string_view text) {
  Manifest manifest;
  std::set<std::string> files;
  std::istringstream in{std::string(text)};
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    auto fields = SplitFields(line);
    if (fields.empty() || fields[0].starts_with('#')) continue;
    auto parsed = ParseEntry(fields);
    if (auto* message = std::get_if<std::string>(&parsed)) {
      return Manifest{{}, ManifestError{number, *message}};
    }
    auto entry = std::get<ImageEntry>(std::move(parsed));
    entry.line = number;
    for (const auto& state : StatesOf(entry.variants)) {
      std::string file = entry.output + std::string(state.suffix);
      if (!files.insert(file).second)
        return Manifest{{}, ManifestError{number, "'" + file + ".png' is already produced by an earlier line"}};
    }
    manifest.entries.push_back(std::move(entry));
  }
  return manifest;
}

}  // namespace dsp
