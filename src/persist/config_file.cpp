#include "persist/config_file.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "persist/file_io.h"
#include "persist/text.h"

namespace dsp {
namespace {

constexpr std::size_t kMaxConfigFileBytes = 1024 * 1024;

struct Entry {
  std::string control;
  std::string attribute;
  std::string text;
};

// "name" or "name.attribute", without blanks inside.
std::optional<Entry> ParseName(std::string_view name) {
  if (name.empty() || std::any_of(name.begin(), name.end(), text::IsBlank)) return std::nullopt;
  const std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) return Entry{std::string(name), "value", {}};
  if (dot == 0 || dot + 1 == name.size()) return std::nullopt;
  return Entry{std::string(name.substr(0, dot)), std::string(name.substr(dot + 1)), {}};
}

}  // namespace

void AttributeMap::Set(const std::string& control, const std::string& attribute, std::string text) {
  values_[{control, attribute}] = std::move(text);
}

std::optional<std::string> AttributeMap::Attribute(const std::string& control, const std::string& attribute) const {
  const auto found = values_.find({control, attribute});
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

FileResult ReadConfigFile(const std::string& path, AttributeMap& attributes) {
  std::string contents;
  if (FileResult read = ReadWholeFile(path, kMaxConfigFileBytes, contents); !read.Ok()) return read;
  return ParseConfigText(contents, path, attributes);
}

FileResult ParseConfigText(std::string_view contents, const std::string& path, AttributeMap& attributes) {
  std::vector<Entry> entries;
  std::string_view rest = contents;
  for (int line_number = 1; !rest.empty(); ++line_number) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = text::Trim(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (line.empty() || line.front() == '#' || line.front() == ';') continue;
    const std::size_t equals = line.find('=');
    std::optional<Entry> entry;
    if (equals != std::string_view::npos) entry = ParseName(text::Trim(line.substr(0, equals)));
    if (!entry) {
      return FileResult::Failure(FileError::kBadSyntax,
                                 "\"" + path + "\" line " + std::to_string(line_number) +
                                     ": expected \"name = value\" or \"name.attribute = value\". "
                                     "Correct or remove that line.");
    }
    entry->text = std::string(text::Trim(line.substr(equals + 1)));
    entries.push_back(std::move(*entry));
  }
  for (Entry& entry : entries) attributes.Set(entry.control, entry.attribute, std::move(entry.text));
  return FileResult::Success();
}

}  // namespace dsp
