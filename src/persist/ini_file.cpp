#include "persist/ini_file.h"

#include "persist/file_io.h"
#include "persist/text.h"

namespace dsp {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The profile functions drop one pair of matching quotes around a value.
std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  IniFile ini;
  std::string section;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text::Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      section = std::string(text::Trim(line.substr(1, line.find(']') - 1)));
      ini.SectionNamed(section);
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = text::Trim(line.substr(0, equals));
    if (key.empty()) continue;
    Section& target = ini.SectionNamed(section);
    if (target.by_lower_key.contains(text::Lower(key))) continue;
    target.by_lower_key.emplace(text::Lower(key), target.entries.size());
    target.entries.emplace_back(std::string(key), std::string(Unquoted(text::Trim(line.substr(equals + 1)))));
  }
  return ini;
}

std::string IniFile::Serialize() const {
  std::string out;
  for (const Section& section : sections_) {
    if (!out.empty()) out += '\n';
    // Keys above the first section have no header; a later section named ""
    // ("[]") needs its own, or its keys would join the section before it.
    if (!section.name.empty() || &section != &sections_.front()) out += '[' + section.name + "]\n";
    for (const auto& [key, value] : section.entries) out += key + '=' + value + '\n';
  }
  return out;
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  const auto entry = found->by_lower_key.find(text::Lower(key));
  if (entry == found->by_lower_key.end()) return std::nullopt;
  return found->entries[entry->second].second;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string value) {
  Section& target = SectionNamed(section);
  const auto [entry, added] = target.by_lower_key.emplace(text::Lower(key), target.entries.size());
  if (added) {
    target.entries.emplace_back(std::string(key), std::move(value));
  } else {
    target.entries[entry->second].second = std::move(value);
  }
}

IniFile::Section& IniFile::SectionNamed(std::string_view name) {
  const auto [entry, added] = by_lower_name_.emplace(text::Lower(name), sections_.size());
  if (added) sections_.push_back(Section{std::string(name), {}, {}});
  return sections_[entry->second];
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  const auto entry = by_lower_name_.find(text::Lower(name));
  return entry == by_lower_name_.end() ? nullptr : &sections_[entry->second];
}

FileResult ReadIniFile(const std::string& path, IniFile& ini) {
  std::string contents;
  FileResult result = ReadWholeFile(path, kMaxIniFileBytes, contents);
  if (result.Ok()) ini = IniFile::Parse(contents);
  return result;
}

FileResult WriteIniFile(const std::string& path, const IniFile& ini) { return ReplaceFile(path, ini.Serialize()); }

}  // namespace dsp
