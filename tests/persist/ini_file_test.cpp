#include "persist/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "../support/temp_dir.h"
#include "persist/file_io.h"

namespace dsp {
namespace {

using testing::EntryCount;
using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

TEST(IniFile, ReadsWhatTheProfileFunctionsAndPeopleWrite) {
  const IniFile ini = IniFile::Parse(
      "\xEF\xBB\xBF"
      "top=above any section\r\n"
      "; comment\r\n"
      "[Option]\r\n"
      "  Language  =  1  \r\n"
      "Quoted=\"a b\"\r\n"
      "Single='x'\r\n"
      "Unbalanced=\"x\r\n"
      "Lone=\"\r\n"
      "language=2\r\n"  // a repeated key: the first one counts
      "no equals sign here\r\n"
      "=no name\r\n"
      "[ second ]\n"
      "empty=\n"
      "[OPTION]\n"
      "Extra=3");
  EXPECT_EQ(ini.Value("", "top"), "above any section");
  EXPECT_EQ(ini.Value("option", "LANGUAGE"), "1");
  EXPECT_EQ(ini.Value("Option", "quoted"), "a b");
  EXPECT_EQ(ini.Value("Option", "single"), "x");
  EXPECT_EQ(ini.Value("Option", "unbalanced"), "\"x");
  EXPECT_EQ(ini.Value("Option", "lone"), "\"");
  EXPECT_EQ(ini.Value("Option", "Extra"), "3");  // a repeated section adds to the first
  EXPECT_EQ(ini.Value("second", "empty"), "");
  EXPECT_TRUE(ini.HasSection("SECOND"));
  EXPECT_FALSE(ini.Value("second", "missing"));
  EXPECT_FALSE(ini.Value("third", "empty"));
  EXPECT_FALSE(ini.HasSection("comment"));
}

TEST(IniFile, SetReplacesOrAppendsInOrder) {
  IniFile ini = IniFile::Parse("[Option]\nLanguage=0\nOther=x\n");
  ini.Set("OPTION", "language", "1");
  ini.Set("Option", "New", "y");
  ini.Set("Window", "Width", "800");
  EXPECT_EQ(ini.Serialize(), "[Option]\nLanguage=1\nOther=x\nNew=y\n\n[Window]\nWidth=800\n");
  EXPECT_EQ(IniFile::Parse("k=v\n[s]\na=b\n").Serialize(), "k=v\n\n[s]\na=b\n");
  EXPECT_EQ(IniFile::Parse("[s]\na=1\nA=2\n").Serialize(), "[s]\na=1\n");  // the repeated key is not kept
  // Found by fuzzing: without its header a "[]" section's keys joined the
  // section before it when the file was written back.
  EXPECT_EQ(IniFile::Parse("[s]\na=b\n[]\nx=1\n").Serialize(), "[s]\na=b\n\n[]\nx=1\n");
}

TEST(ReplaceFile, WritesNewAndReplacesOldKeepingPermissions) {
  TempDir dir;
  const std::string path = dir.File("a.ini");
  ASSERT_TRUE(ReplaceFile(path, "first\n").Ok());
  EXPECT_EQ(ReadText(path), "first\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(ReplaceFile(path, "second\n").Ok());
  EXPECT_EQ(ReadText(path), "second\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(EntryCount(dir.path()), 1);
}

TEST(ReplaceFile, ThroughASymbolicLinkReplacesItsTarget) {
  TempDir dir;
  WriteText(dir.File("real.ini"), "old");
  std::filesystem::create_symlink(dir.File("real.ini"), dir.File("link.ini"));
  ASSERT_TRUE(ReplaceFile(dir.File("link.ini"), "new").Ok());
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
  EXPECT_EQ(ReadText(dir.File("real.ini")), "new");
}

TEST(ReadWholeFile, RefusesFilesTooLargeForTheirKind) {
  TempDir dir;
  WriteText(dir.File("big"), std::string(101, 'x'));
  std::string contents = "unchanged";
  EXPECT_EQ(ReadWholeFile(dir.File("big"), 100, contents).error, FileError::kCannotRead);
  EXPECT_EQ(contents, "unchanged");
  EXPECT_TRUE(ReadWholeFile(dir.File("big"), 101, contents).Ok());
  EXPECT_EQ(contents.size(), 101u);
}

}  // namespace
}  // namespace dsp
