#include "protocol/replies.h"

#include <gtest/gtest.h>

#include "answering_host.h"
#include "link/frame.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

using testing::MakeRecord;

Bytes Reply(std::uint8_t cmd, std::size_t length, std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
  Bytes reply = BlankFrame(length, kKindReply, 1, cmd);
  for (auto [at, value] : bytes) reply[at] = value;
  SealFrame(reply);
  return reply;
}

void PutBand(Bytes& reply, int record, int ch, bool on, int gain_raw, int hz, int q, int type) {
  const int bytes[] = {ch, 0, on ? 1 : 0, gain_raw, gain_raw >> 8, hz, hz >> 8, q, q >> 8, type};
  for (std::size_t i = 0; i < 10; ++i) reply[5 + 10 * static_cast<std::size_t>(record) + i] = bytes[i] & 0xFF;
}

TEST(EqReply, SecondHalfStopsAtBandThirtyAndClampsValues) {
  DeviceRecord record = MakeRecord(8, 8);
  Bytes reply = BlankFrame(166, kKindReply, 1, 0xA1);
  for (int r = 0; r < 16; ++r) PutBand(reply, r, 2, true, 25600 + 100 * r, 1000, 100, 1);
  PutBand(reply, 0, 2, false, 25600 - 300, 5, 20000, 255);
  SealFrame(reply);
  ASSERT_TRUE(StoreEqReply(reply, 1, 16, record));
  EXPECT_EQ(std::make_tuple(record.EqualizerEnable(1, 2, 16), record.EqualizerGain(1, 2, 16),
                            record.EqualizerFrequence(1, 2, 16), record.EqualizerQ(1, 2, 16),
                            record.EqualizerType(1, 2, 16)),
            std::make_tuple(false, -300, 20, 12800, 1));
  EXPECT_EQ(record.EqualizerGain(1, 2, 30), 1400);
  EXPECT_TRUE(record.EqualizerEnable(1, 2, 30));
  // The input side and other channels are untouched.
  EXPECT_EQ(record.EqualizerGain(0, 2, 30), 0);
  EXPECT_EQ(record.EqualizerGain(1, 1, 30), 0);
}

TEST(EqReply, WrongLengthOrCommandIsRefused) {
  DeviceRecord record = MakeRecord(8, 8);
  EXPECT_FALSE(StoreEqReply(BlankFrame(165, kKindReply, 1, 0x81), 0, 0, record));
  EXPECT_FALSE(StoreEqReply(BlankFrame(166, kKindReply, 1, 0x80), 0, 0, record));
}

TEST(FilterReply, ShapeByteGivesTypeAndSlope) {
  DeviceRecord record = MakeRecord(8, 8);
  ASSERT_TRUE(StoreFilterReply(Reply(0xA2, 12, {{6, 3}, {7, 1}, {8, 0x25}, {9, 0x10}, {10, 0x27}}), 1, record));
  EXPECT_EQ(std::make_tuple(record.FilterType(1, 3, 1), record.FilterSlope(1, 3, 1), record.FilterFrequence(1, 3, 1),
                            record.FilterEnable(1, 3, 1)),
            std::make_tuple(2, 5, 10000, true));
  EXPECT_FALSE(record.FilterEnable(1, 3, 0));
  ASSERT_TRUE(StoreFilterReply(Reply(0xA2, 12, {{6, 3}, {8, 0xFF}, {9, 0x50}, {10, 0xC3}}), 0, record));
  EXPECT_EQ(record.FilterType(1, 3, 0), 0);
  EXPECT_EQ(record.FilterSlope(1, 3, 0), 0);
  EXPECT_EQ(record.FilterFrequence(1, 3, 0), 20000);  // 50000 clamped
}

TEST(GainReplies, BothEncodings) {
  DeviceRecord record = MakeRecord(8, 8);
  ASSERT_TRUE(StoreInputGainReply(Reply(0x80, 11, {{5, 2}, {6, 1}, {7, 0}, {8, 100}}), record));
  EXPECT_EQ(record.Gain(0, 2), 0);
  EXPECT_TRUE(record.Mute(0, 2));
  ASSERT_TRUE(StoreInputGainReply(Reply(0x80, 11, {{5, 2}, {7, 1}, {8, 0xD0}, {9, 0x07}}), record));
  EXPECT_EQ(record.Gain(0, 2), 0);
  ASSERT_TRUE(StoreInputGainReply(Reply(0x80, 11, {{5, 2}, {7, 1}, {8, 0x34}, {9, 0x08}}), record));
  EXPECT_EQ(record.Gain(0, 2), 1000);
  ASSERT_TRUE(StoreInputGainReply(Reply(0x80, 11, {{5, 2}, {7, 1}, {8, 0x50}, {9, 0x05}}), record));
  EXPECT_EQ(record.Gain(0, 2), -6400);

  // Outputs: mute bits and eight gains; gain raw 2100 on output 7.
  ASSERT_TRUE(StoreOutputGainsReply(
      Reply(0xA0, 25, {{6, 0x81}, {7, 1}, {8, 0xD0}, {9, 0x07}, {22, 0x34}, {23, 0x08}}), record));
  EXPECT_EQ(std::make_tuple(record.Mute(1, 0), record.Mute(1, 1), record.Mute(1, 7), record.Gain(1, 0),
                            record.Gain(1, 7)),
            std::make_tuple(true, false, true, 0, 1000));
}

TEST(DynamicsReplies, OffsetsAndSignedThresholds) {
  DeviceRecord record = MakeRecord(8, 8);
  Configuration config;
  config.drc_offset = 2;
  config.limit_offset = 3;
  config.noisegate_offset = 4;
  // Compressor threshold raw -150 (two's complement): start gate 150 - 20.
  ASSERT_TRUE(StoreCompressorReply(
      Reply(0xA9, 17, {{5, 1}, {6, 1}, {7, 0xC4}, {8, 0x09}, {9, 0x88}, {10, 0x13}, {11, 0x6A}, {12, 0xFF}, {13, 40}}),
      record, config));
  EXPECT_EQ(std::make_tuple(record.CompressorEnable(1), record.CompressorStartTime(1),
                            record.CompressorReleaseTime(1), record.CompressorStartGate(1), record.CompressorRatio(1)),
            std::make_tuple(true, 2500, 5000, 130, 4));
  ASSERT_TRUE(StoreLimiterReply(Reply(0xA6, 11, {{5, 6}, {6, 1}, {7, 0xF6}, {8, 0x2C}, {9, 0x01}}), record, config));
  EXPECT_EQ(record.LimitStartGate(6), -13);
  EXPECT_EQ(record.LimitReleaseTime(6), 300);
  ASSERT_TRUE(StoreNoiseGateReply(Reply(0x83, 10, {{5, 0}, {6, 1}, {7, 150}, {8, 140}}), record, config));
  EXPECT_EQ(record.NoiseGateStartGate(0), -54);
  EXPECT_EQ(record.NoiseGateReleaseGate(0), -64);
}

TEST(PresetNameReply, KeepsAtMostNineteenCharacters) {
  DeviceRecord record = MakeRecord(8, 8);
  const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXY";
  Bytes reply = BlankFrame(33, kKindReply, 1, 0xD7);
  std::copy(name.begin(), name.end(), reply.begin() + 6);
  SealFrame(reply);
  ASSERT_TRUE(StorePresetNameReply(reply, 4, record));
  EXPECT_EQ(record.PresetName(4), name.substr(0, 19));
  EXPECT_FALSE(StorePresetNameReply(BlankFrame(26, kKindReply, 1, 0xD7), 4, record));
}

TEST(MatrixRowReply, OtherFormatChangesNothingButIsAccepted) {
  DeviceRecord record = MakeRecord(8, 8);
  const Bytes other = Reply(0x90, 25, {{5, 1}, {6, 0xFF}, {7, 1}, {8, 50}});
  EXPECT_TRUE(StoreMatrixRowReply(other, record));
  EXPECT_EQ(record.Router(1, 1), 100);
  EXPECT_EQ(record.Router(1, 0), 0);

  const Bytes row = Reply(0x90, 25, {{5, 1}, {6, 0xFE}, {7, 0}, {8, 50}, {10, 75}});
  ASSERT_TRUE(StoreMatrixRowReply(row, record));
  EXPECT_EQ(std::make_tuple(record.Router(1, 0), record.RouterEnable(1, 0), record.Router(1, 1),
                            record.RouterEnable(1, 1)),
            std::make_tuple(50, true, 75, false));
}

TEST(DelayAndPolarityReplies, EitherSideCommandIsAccepted) {
  DeviceRecord record = MakeRecord(8, 8);
  ASSERT_TRUE(StoreDelayReply(Reply(0xA3, 10, {{5, 5}, {6, 1}, {7, 0x89}, {8, 0x08}}), 1, record));
  EXPECT_EQ(std::make_pair(record.Delay(1, 5), record.DelayEnable(1, 5)), std::make_pair(2185, true));
  ASSERT_TRUE(StorePolarityReply(Reply(0x85, 9, {{5, 7}, {7, 1}}), 0, record));
  EXPECT_TRUE(record.Polarity(0, 7));
  EXPECT_FALSE(StorePolarityReply(Reply(0x85, 10, {{5, 7}, {7, 1}}), 0, record));
}

// A reply answers a request only when it has its command and names its
// channel wherever the reply names one.
TEST(ReplyNamesRequestedItem, ChannelAndCommandMustBeTheRequests) {
  auto eq_reply = [](std::uint8_t cmd, int ch, int odd_record, int odd_ch) {
    Bytes reply = BlankFrame(166, kKindReply, 1, cmd);
    for (std::size_t r = 0; r < 16; ++r) reply[5 + 10 * r] = static_cast<std::uint8_t>(ch);
    reply[5 + 10 * static_cast<std::size_t>(odd_record)] = static_cast<std::uint8_t>(odd_ch);
    SealFrame(reply);
    return reply;
  };
  struct Case {
    const char* what;
    Bytes request;
    Bytes reply;
    bool answers;
  };
  const std::vector<Case> cases = {
      {"delay of the channel", ReadDelayFrame(1, 0, 3), Reply(0x84, 10, {{5, 3}}), true},
      {"delay of another channel", ReadDelayFrame(1, 0, 3), Reply(0x84, 10, {{5, 2}}), false},
      {"delay of the other side", ReadDelayFrame(1, 1, 3), Reply(0x84, 10, {{5, 3}}), false},
      {"matrix row of another input", ReadMatrixRowFrame(1, 6), Reply(0x90, 25, {{5, 7}}), false},
      {"limiter of the channel", ReadLimiterFrame(1, 6), Reply(0xA6, 11, {{5, 6}}), true},
      {"filter naming its channel in byte 6", ReadFilterFrame(1, 4, 1), Reply(0xA2, 12, {{5, 9}, {6, 4}}), true},
      {"filter of another channel", ReadFilterFrame(1, 4, 1), Reply(0xA2, 12, {{5, 4}, {6, 5}}), false},
      {"equaliser of the channel", ReadEqFrame(1, 1, 2, 16), eq_reply(0xA1, 2, 15, 2), true},
      {"equaliser with one record of another channel", ReadEqFrame(1, 1, 2, 16), eq_reply(0xA1, 2, 15, 3), false},
      {"preset name: nothing to tell", ReadPresetNameFrame(1, 5), Reply(0xD7, 27, {{5, 9}}), true},
      {"output gains", ReadOutputGainsFrame(1), Reply(0xA0, 25, {}), true},
      {"answer of another command", ReadOutputGainsFrame(1), Reply(0xA6, 11, {}), false},
      {"a stub of a frame", ReadDelayFrame(1, 0, 3), Bytes{0xA5, 0x05, 0xF8, 0x01, 0x84}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplyNamesRequestedItem(c.request, c.reply), c.answers) << c.what;
  }
}

}  // namespace
}  // namespace dsp
