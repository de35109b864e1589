#pragma once

// The user's interface language, kept in "Setting.ini", section "Option",
// key "Language": 1 English, 0 Chinese (the values of `Language`). The file
// lives beside the executable when that folder is writable (a portable
// install), else in the user's configuration folder: $XDG_CONFIG_HOME/dspdesk/
// (~/.config/dspdesk/ when that is not set), or %APPDATA%\dspdesk\ on Windows.

#include <string>

#include "language/language.h"
#include "persist/file_result.h"
#include "persist/user_folders.h"

namespace dsp {

// Where Setting.ini is read from and written to, for an executable in
// `executable_directory`.
std::string SettingFilePath(const std::string& executable_directory);

// The stored language; Chinese when the file, the section or the key is
// missing. Another number than the two languages' is given as it stands.
Language ReadLanguage(const std::string& setting_file);

// Stores the language, keeping whatever else the file holds and creating its
// folder when needed.
FileResult WriteLanguage(const std::string& setting_file, Language language);

}  // namespace dsp
