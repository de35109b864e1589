#pragma once

// The extension rule of the file dialogs: a chosen name keeps its name when
// the text from its last "." is the extension in any case, otherwise the
// extension is appended ("a" -> "a.ini", "a.INI" stays, "a.b" -> "a.b.ini").

#include <string>
#include <string_view>

namespace dsp {

std::string WithExtension(const std::string& name, std::string_view extension);

}  // namespace dsp
