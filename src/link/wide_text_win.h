#pragma once

// Text is UTF-8 throughout; the wide-character Win32 calls take UTF-16.

#include <string>
#include <string_view>

namespace dsp {

std::wstring WideText(std::string_view utf8);
std::string NarrowText(std::wstring_view wide);

// The system's description of a GetLastError() code, without the full stop
// and line end it comes with.
std::string SystemErrorText(unsigned long error);

}  // namespace dsp
