#include "persist/language_setting.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "../support/temp_dir.h"

namespace dsp {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;
using enum Language;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Put(value);
  }
  ~ScopedEnv() { Put(old_ ? old_->c_str() : nullptr); }

 private:
  void Put(const char* value) const { value ? ::setenv(name_, value, 1) : ::unsetenv(name_); }

  const char* name_;
  std::optional<std::string> old_;
};

TEST(LanguageSetting, RoundTripKeepsTheRestOfTheFile) {
  TempDir dir;
  const std::string path = dir.File("Setting.ini");
  EXPECT_EQ(ReadLanguage(path), kChinese);  // no file yet
  WriteText(path, "[Window]\r\nWidth=800\r\n");
  EXPECT_EQ(ReadLanguage(path), kChinese);  // no section
  ASSERT_TRUE(WriteLanguage(path, kEnglish).Ok());
  EXPECT_EQ(ReadLanguage(path), kEnglish);
  ASSERT_TRUE(WriteLanguage(path, kChinese).Ok());
  EXPECT_EQ(ReadLanguage(path), kChinese);
  EXPECT_EQ(ReadText(path), "[Window]\nWidth=800\n\n[Option]\nLanguage=0\n");
}

TEST(LanguageSetting, ReadsTheStoredTextAsTheWindowsProgramDid) {
  TempDir dir;
  const std::string path = dir.File("Setting.ini");
  WriteText(path, "[OPTION]\r\nlanguage = 1\r\n");
  EXPECT_EQ(ReadLanguage(path), kEnglish);
  WriteText(path, "[Option]\nLanguage=english\n");
  EXPECT_EQ(ReadLanguage(path), kChinese);
  WriteText(path, "[Option]\nLanguage=12345678\n");  // seven characters fit its buffer
  EXPECT_EQ(ReadLanguage(path), static_cast<Language>(1234567));
}

TEST(LanguageSetting, BesideTheExecutableWhenThatFolderIsWritable) {
  TempDir dir;
  EXPECT_EQ(SettingFilePath(dir.path().string()), dir.File("Setting.ini"));
}

TEST(LanguageSetting, UserConfigFolderOtherwiseAndItIsCreated) {
  TempDir dir;
  const std::string missing_exe_dir = dir.File("no-such-install");
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", dir.File("xdg").c_str());
    const std::string path = SettingFilePath(missing_exe_dir);
    EXPECT_EQ(path, dir.File("xdg/dspdesk/Setting.ini"));
    ASSERT_TRUE(WriteLanguage(path, kEnglish).Ok());
    EXPECT_EQ(ReadLanguage(path), kEnglish);
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    ScopedEnv home("HOME", dir.File("home").c_str());
    EXPECT_EQ(SettingFilePath(missing_exe_dir), dir.File("home/.config/dspdesk/Setting.ini"));
  }
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative/path");  // not absolute: ignored
    ScopedEnv home("HOME", dir.File("home").c_str());
    EXPECT_EQ(SettingFilePath(missing_exe_dir), dir.File("home/.config/dspdesk/Setting.ini"));
  }
}

TEST(LanguageSetting, FolderThatCannotBeCreatedIsReported) {
  TempDir dir;
  WriteText(dir.File("file"), "");
  const FileResult result = WriteLanguage(dir.File("file/dspdesk/Setting.ini"), kEnglish);
  EXPECT_EQ(result.error, FileError::kCannotWrite);
  EXPECT_NE(result.message.find("dspdesk"), std::string::npos);
}

}  // namespace
}  // namespace dsp
