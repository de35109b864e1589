#pragma once

// Settings files in the INI syntax: "[section]" lines and "key=value" lines.
// Reading accepts what the Windows profile functions write and what people
// type: CRLF or LF line ends, blanks around names, "=" and values, ";"
// comment lines, a UTF-8 byte order mark, a value in matching quotes, and
// section and key names in any case. The first occurrence of a key wins.
// Writing produces "[section]" / "key=value" lines in insertion order.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "persist/file_result.h"

namespace dsp {

class IniFile {
 public:
  static IniFile Parse(std::string_view text);
  std::string Serialize() const;

  bool HasSection(std::string_view section) const;
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // Replaces the key's value, or appends the key (and its section) in order.
  void Set(std::string_view section, std::string_view key, std::string value);

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
    std::unordered_map<std::string, std::size_t> by_lower_key;
  };

  Section& SectionNamed(std::string_view name);
  const Section* FindSection(std::string_view name) const;

  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> by_lower_name_;
};

// Settings files are small; anything larger is refused as the wrong file.
inline constexpr std::size_t kMaxIniFileBytes = 16 * 1024 * 1024;

FileResult ReadIniFile(const std::string& path, IniFile& ini);
// Replaces the file in one step (see ReplaceFile).
FileResult WriteIniFile(const std::string& path, const IniFile& ini);

}  // namespace dsp
