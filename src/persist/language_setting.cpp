#include "persist/language_setting.h"

#include <filesystem>
#include <system_error>

#include "link/utf8_path.h"
#include "persist/ini_file.h"
#include "persist/number_text.h"
#include "persist/user_folders.h"

namespace dsp {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSettingFileName = "Setting.ini";
constexpr const char* kSection = "Option";
constexpr const char* kKey = "Language";
// The value was read into an 8-byte buffer: at most 7 characters count.
constexpr std::size_t kValueChars = 7;

}  // namespace

std::string SettingFilePath(const std::string& executable_directory) {
  if (IsWritableDirectory(executable_directory)) return Utf8Text(Utf8Path(executable_directory) / kSettingFileName);
  std::string folder = UserConfigDirectory();
  if (!folder.ends_with('/') && !folder.ends_with('\\')) folder += '/';
  return folder + "dspdesk/" + kSettingFileName;
}

Language ReadLanguage(const std::string& setting_file) {
  IniFile ini;
  if (!ReadIniFile(setting_file, ini).Ok()) return Language::kChinese;
  return static_cast<Language>(LeadingInt(ini.Value(kSection, kKey).value_or("0").substr(0, kValueChars)));
}

FileResult WriteLanguage(const std::string& setting_file, Language language) {
  IniFile ini;
  std::error_code error;
  if (fs::exists(Utf8Path(setting_file), error)) {
    if (FileResult read = ReadIniFile(setting_file, ini); !read.Ok()) return read;
  }
  const fs::path folder = Utf8Path(setting_file).parent_path();
  if (!folder.empty() && !fs::create_directories(folder, error) && error) {
    return FileResult::Failure(FileError::kCannotWrite, "Cannot create the folder \"" + Utf8Text(folder) + "\": " +
                                                            error.message() + ". The language choice was not saved.");
  }
  ini.Set(kSection, kKey, std::to_string(static_cast<int>(language)));
  return WriteIniFile(setting_file, ini);
}

}  // namespace dsp
