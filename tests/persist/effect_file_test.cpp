#include "persist/effect_file.h"

#include <gtest/gtest.h>

#include "../support/fifo_rescue.h"
#include "../support/temp_dir.h"
#include "persist/config_file.h"
#include "persist/ini_file.h"

namespace dsp {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

Bytes Block(std::uint8_t fill, std::size_t size) { return Bytes(size, fill); }

TEST(EffectFile, BlocksFollowEachOtherWithNothingBetween) {
  TempDir dir;
  const std::string path = dir.File("fx.bin");
  WriteText(path, std::string(1000, 'o'));  // an older, longer image
  EffectFileWriter writer;
  ASSERT_TRUE(writer.Open(path).Ok());
  for (std::uint8_t block = 0; block < 5; ++block) ASSERT_TRUE(writer.Append(Block(block, 64)).Ok());
  EXPECT_EQ(writer.BytesWritten(), 320u);
  ASSERT_TRUE(writer.Close().Ok());
  EXPECT_FALSE(writer.IsOpen());

  const std::string image = ReadText(path);
  ASSERT_EQ(image.size(), 320u);
  for (std::size_t i = 0; i < image.size(); ++i) ASSERT_EQ(image[i], static_cast<char>(i / 64)) << i;
}

TEST(EffectFile, ReadThatStopsKeepsTheBlocksReceived) {
  TempDir dir;
  const std::string path = dir.File("fx.bin");
  {
    EffectFileWriter writer;
    ASSERT_TRUE(writer.Open(path).Ok());
    ASSERT_TRUE(writer.Append(Block(0xAB, 10)).Ok());
    ASSERT_TRUE(writer.Append(Block(0xCD, 3)).Ok());
  }  // the read gave up: the writer goes away without another block
  EXPECT_EQ(ReadText(path), std::string(10, '\xAB') + std::string(3, '\xCD'));
}

TEST(EffectFile, ReopeningStartsAFreshImage) {
  TempDir dir;
  EffectFileWriter writer;
  ASSERT_TRUE(writer.Open(dir.File("a.bin")).Ok());
  ASSERT_TRUE(writer.Append(Block(1, 8)).Ok());
  ASSERT_TRUE(writer.Open(dir.File("b.bin")).Ok());  // closes a.bin first
  ASSERT_TRUE(writer.Append(Block(2, 4)).Ok());
  EXPECT_EQ(writer.BytesWritten(), 4u);
  writer.Close();
  EXPECT_EQ(ReadText(dir.File("a.bin")).size(), 8u);
  EXPECT_EQ(ReadText(dir.File("b.bin")), std::string(4, '\x02'));
}

// A configuration, Setting.ini or image path naming a FIFO must not hang the
// program waiting for a writer or a reader.
TEST(FilesThatBlock, AFifoIsRefusedWithoutWaiting) {
  TempDir dir;
  const std::string fifo = test::MakeFifo(dir.File("fifo"));
  FileResult result;
  AttributeMap attributes;
  EXPECT_TRUE(test::ReturnsWithoutBlocking(fifo, [&] { result = ReadConfigFile(fifo, attributes); }));
  EXPECT_EQ(result.error, FileError::kCannotRead);
  IniFile ini;
  EXPECT_TRUE(test::ReturnsWithoutBlocking(fifo, [&] { result = ReadIniFile(fifo, ini); }));
  EXPECT_EQ(result.error, FileError::kCannotRead);
  EffectFileWriter writer;
  EXPECT_TRUE(test::ReturnsWithoutBlocking(fifo, [&] { result = writer.Open(fifo); }));
  EXPECT_EQ(result.error, FileError::kCannotWrite);
  EXPECT_NE(result.message.find("not a regular file"), std::string::npos) << result.message;
  EXPECT_FALSE(writer.IsOpen());
}

TEST(EffectFile, FileThatCannotBeCreatedIsReported) {
  TempDir dir;
  EffectFileWriter writer;
  const FileResult result = writer.Open(dir.File("missing/fx.bin"));
  EXPECT_EQ(result.error, FileError::kCannotWrite);
  EXPECT_NE(result.message.find("missing/fx.bin"), std::string::npos);
  EXPECT_FALSE(writer.IsOpen());
  EXPECT_TRUE(writer.Append(Block(1, 4)).Ok());  // nothing open, nothing written
  EXPECT_EQ(writer.BytesWritten(), 0u);
}

TEST(EffectFileName, BinExtensionRule) {
  EXPECT_EQ(WithBinExtension("effects"), "effects.bin");
  EXPECT_EQ(WithBinExtension("effects.BIN"), "effects.BIN");
  EXPECT_EQ(WithBinExtension("effects.ini"), "effects.ini.bin");
}

}  // namespace
}  // namespace dsp
