#pragma once

// Paths are UTF-8 text throughout. std::filesystem::path reads a plain
// std::string in the system's narrow encoding, which on Windows is the ANSI
// code page, not UTF-8; these two keep the text UTF-8 on every system.

#include <filesystem>
#include <string>

namespace dsp {

inline std::filesystem::path Utf8Path(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8Text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace dsp
