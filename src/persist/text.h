#pragma once

// ASCII text helpers for the file readers: names in settings files are
// compared without case, values lose the blanks around them.

#include <string>
#include <string_view>

namespace dsp::text {

bool IsBlank(char c);
std::string_view Trim(std::string_view text);
std::string Lower(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace dsp::text
