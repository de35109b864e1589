// The processor's YMODEM receiver, driven with the bytes a sender puts on the
// line.

#include <gtest/gtest.h>

#include "../support/temp_dir.h"
#include "sim/sim_link.h"
#include "sim_test_support.h"

namespace dsp::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr std::uint8_t kFirmware = 0xD0;
constexpr std::uint8_t kParameters = 0xD6;
constexpr std::uint8_t kCan = 0x18;

struct Ymodem : ::testing::Test {
  SimBus bus{41};
  SimProcessor& dsp = Add(4, 128);
  SimProcessor& Add(int blocks, int block_size) {
    SimProcessorConfig config = bus.NextConfig("Hall", 2, 2);
    config.effect_blocks = blocks;
    config.effect_block_size = block_size;
    SimProcessor& p = bus.Add(config);
    p.set_address(1);
    return p;
  }
  void Start(std::uint8_t mode) { ASSERT_EQ(Talk(bus, Frame(0xF3, 1, mode), milliseconds(200)), Bytes{'C'}); }
  // Header, every block and the EOT, each acknowledged.
  void SendFile(const std::string& name, const Bytes& file) {
    ASSERT_EQ(Talk(bus, HeaderBlock(name, file.size())), (Bytes{kAck, 'C'}));
    for (std::size_t at = 0, n = 1; at < file.size(); at += 1024, ++n) {
      const Bytes chunk(file.begin() + at, file.begin() + std::min(file.size(), at + 1024));
      ASSERT_EQ(Talk(bus, DataBlock(static_cast<std::uint8_t>(n), chunk)), Bytes{kAck});
    }
    ASSERT_EQ(Talk(bus, {kEot}), Bytes{kAck});
  }
  bool Answers() { return !Talk(bus, Frame(0xF7, 1, 0xD0, {0})).empty(); }
};

TEST_F(Ymodem, FirmwareIsStoredTrimmedToTheSizeInTheHeader) {
  const Bytes file = testing::PatternBytes(2500);
  Start(kFirmware);
  EXPECT_TRUE(dsp.IsReceivingImage());
  SendFile("update.bin", file);
  ASSERT_TRUE(dsp.last_firmware());
  EXPECT_EQ(dsp.last_firmware()->name, "update.bin");
  EXPECT_EQ(dsp.last_firmware()->data, file);
  EXPECT_FALSE(dsp.last_parameter_image());
  EXPECT_TRUE(Answers());
}

TEST_F(Ymodem, BadBlockIsRefusedAndItsRepeatTaken) {
  const Bytes file = testing::PatternBytes(1500, 9);
  Start(kFirmware);
  ASSERT_EQ(Talk(bus, HeaderBlock("f.bin", file.size())), (Bytes{kAck, 'C'}));
  Bytes first(file.begin(), file.begin() + 1024);
  Bytes damaged = DataBlock(1, first);
  damaged[100] ^= 0x40;
  EXPECT_EQ(Talk(bus, damaged), Bytes{kNak});
  Bytes wrong_complement = DataBlock(1, first);
  wrong_complement[2] = 0;
  EXPECT_EQ(Talk(bus, wrong_complement), Bytes{kNak});
  EXPECT_EQ(Talk(bus, DataBlock(1, first)), Bytes{kAck});
  EXPECT_EQ(Talk(bus, DataBlock(1, first)), Bytes{kAck});  // a repeat is acknowledged, not stored
  EXPECT_EQ(Talk(bus, DataBlock(3, first)), Bytes{kNak});  // out of sequence
  EXPECT_EQ(Talk(bus, DataBlock(2, Bytes(file.begin() + 1024, file.end()))), Bytes{kAck});
  EXPECT_EQ(Talk(bus, {kEot}), Bytes{kAck});
  ASSERT_TRUE(dsp.last_firmware());
  EXPECT_EQ(dsp.last_firmware()->data, file);
}

TEST_F(Ymodem, ParameterImageReplacesTheEffectMemory) {
  const Bytes image = testing::PatternBytes(300, 3);
  Start(kParameters);
  SendFile("effects.bin", image);
  ASSERT_TRUE(dsp.last_parameter_image());
  Bytes expected = image;
  expected.resize(4 * 128, 0xFF);  // what the image does not cover is erased
  EXPECT_EQ(dsp.effect_memory(), expected);

  SimLink link(bus);
  Bytes read_back;
  for (std::uint8_t block = 0; block < 4; ++block) {
    link.Send(Frame(0xF7, 1, 0xD6, {block, 0, 0xFF}));
    const auto reply = link.PopReply();
    ASSERT_TRUE(reply);
    read_back.insert(read_back.end(), reply->begin() + 7, reply->end() - 1);
  }
  EXPECT_EQ(read_back, expected);
}

TEST_F(Ymodem, ImageLargerThanTheEffectMemoryIsCut) {
  const Bytes image = testing::PatternBytes(2100, 5);
  Start(kParameters);
  SendFile("big.bin", image);
  EXPECT_EQ(dsp.effect_memory(), Bytes(image.begin(), image.begin() + 512));
  EXPECT_EQ(dsp.last_parameter_image()->data, image);
}

TEST_F(Ymodem, HeaderWithoutNameCarriesTheSizeAlone) {
  Start(kFirmware);
  SendFile(std::string(130, 'n'), {0x42});
  ASSERT_TRUE(dsp.last_firmware());
  EXPECT_EQ(dsp.last_firmware()->name, "");
  EXPECT_EQ(dsp.last_firmware()->data, Bytes{0x42});
}

TEST_F(Ymodem, ReceiverAsksAgainEverySecondThenGivesUp) {
  Start(kFirmware);
  EXPECT_EQ(Talk(bus, {}, milliseconds(3000)), (Bytes{'C', 'C', 'C'}));
  bus.Advance(seconds(20));
  EXPECT_FALSE(dsp.IsReceivingImage());
  EXPECT_TRUE(Answers());
  EXPECT_FALSE(dsp.last_firmware());
}

TEST_F(Ymodem, CancelOrEmptyHeaderEndsTheSessionWithoutAnImage) {
  Start(kFirmware);
  Talk(bus, {kCan, kCan});
  EXPECT_FALSE(dsp.IsReceivingImage());
  Start(kFirmware);
  EXPECT_EQ(Talk(bus, HeaderBlock("", 0)), Bytes{kAck});
  EXPECT_FALSE(dsp.IsReceivingImage());
  EXPECT_FALSE(dsp.last_firmware());
}

TEST_F(Ymodem, OtherProcessorsIgnoreTheTransfer) {
  SimProcessor& other = Add(4, 128);
  other.set_address(2);
  const Bytes before = other.effect_memory();
  Start(kParameters);
  SendFile("effects.bin", testing::PatternBytes(512, 1));
  EXPECT_EQ(other.effect_memory(), before);
  EXPECT_FALSE(other.last_parameter_image());
  EXPECT_FALSE(Talk(bus, Frame(0xF7, 2, 0xD0, {0})).empty());
}

}  // namespace
}  // namespace dsp::test
