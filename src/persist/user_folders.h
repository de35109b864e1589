#pragma once

// The folders the settings are looked for in, which each system names its
// own way (user_folders_posix.cpp, user_folders_win.cpp).

#include <string>

namespace dsp {

// Paths are UTF-8.

// The folder of the running executable; "." if it cannot be found.
std::string ExecutableDirectory();

// The user's folder for program settings: $XDG_CONFIG_HOME (~/.config when
// that is not set), or %APPDATA% on Windows.
std::string UserConfigDirectory();

bool IsWritableDirectory(const std::string& directory);

}  // namespace dsp
