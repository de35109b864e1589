#include "model/write_builders.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace dsp {
namespace {

const ChipIdBytes kChip = {1, 2, 3, 4, 5, 6, 7, 8};

using Placed = std::vector<std::pair<int, int>>;  // (frame offset, byte)

// The frame as the byte tables give it: the head, the listed bytes, zeros
// elsewhere, and the sum of bytes 1..n-2 as the last byte.
Bytes Expected(int length, int kind, int address, int command, const Placed& bytes) {
  Bytes frame(length, 0);
  frame[0] = 0xA5;
  frame[1] = static_cast<std::uint8_t>(length);
  frame[2] = static_cast<std::uint8_t>(kind);
  frame[3] = static_cast<std::uint8_t>(address);
  frame[4] = static_cast<std::uint8_t>(command);
  for (const auto& [offset, value] : bytes) frame.at(offset) = static_cast<std::uint8_t>(value);
  int sum = 0;
  for (int i = 1; i < length - 1; ++i) sum += frame[i];
  frame[length - 1] = static_cast<std::uint8_t>(sum & 0xFF);
  return frame;
}

Bytes Built(WriteId id, const DeviceList& devices, const Configuration& config = {}) {
  auto frame = BuildWrite(id, devices, config);
  return frame ? *frame : Bytes{};
}

DeviceList One(const DeviceRecord& record) { return DeviceList{record}; }

TEST(WriteExamples, EqualizerBandTypeTwoAndPlusTwelveDb) {
  DeviceRecord r(1, kChip, 8, 8, "x");
  r.SetEqualizerType(0, 0, 3, 2);
  r.SetEqualizerGain(0, 0, 3, 500);
  r.SetEqualizerGain(0, 0, 4, 1200);
  // The gain bytes (8, 9) and the type byte (16) of each band's frame.
  const auto gain_and_type = [&](int band) {
    const Bytes frame = Built(WriteId::EqBand(0, 0, band, 1), One(r));
    return frame.size() == 18 ? Bytes{frame[8], frame[9], frame[16]} : frame;
  };
  EXPECT_EQ(gain_and_type(3), (Bytes{0x50, 0x5F, 6}));
  EXPECT_EQ(gain_and_type(4), (Bytes{0xB0, 0x68, 0}));
}

TEST(WriteExamples, MatrixRowWithEveryCellOff) {
  const DeviceRecord r(1, kChip, 8, 8, "x");
  EXPECT_EQ(Built(WriteId::MatrixRow(0, 0, 1), One(r)),
            Expected(27, 0xF3, 1, 0x0F, {{5, 0}, {6, 0xFF}, {7, 0x80}, {24, 4}}));
}

TEST(WriteExamples, InputGainCarriesOneChannelAndTheFloorElsewhere) {
  DeviceRecord r(1, kChip, 8, 8, "x");
  r.SetGain(0, 3, 350);
  r.SetMute(0, 3, true);
  // 2000 + 35 = 2035 = 0x07F3; 1360 = 0x0550.
  Placed bytes = {{5, 3}, {6, 1}, {7, 1}, {8, 0xF3}, {9, 0x07}, {24, 4}};
  for (int slot = 1; slot < 8; ++slot) {
    bytes.push_back({8 + 2 * slot, 0x50});
    bytes.push_back({9 + 2 * slot, 0x05});
  }
  EXPECT_EQ(Built(WriteId::GainMute(0, 3, 1), One(r)), Expected(27, 0xF3, 1, 0x0F, bytes));
}

// One frame of every kind from a record far from its defaults: 8 inputs,
// 6 outputs (so the unused output slots show), address 5.
class EveryKind : public ::testing::Test {
 protected:
  EveryKind() : record_(5, kChip, 8, 6, "Stage") {
    config_.drc_offset = 0x10;
    config_.limit_offset = 0x20;
    config_.noisegate_offset = 10;
    config_.pink_noise_volume = 300;
    config_.pink_noise_address = 0x00012345;
    config_.pink_noise_size = 0x0000F000;
  }
  Bytes Build(WriteId id) { return Built(id, One(record_), config_); }

  DeviceRecord record_;
  Configuration config_;
};

TEST_F(EveryKind, Delay) {
  record_.SetDelayEnable(0, 2, true);
  record_.SetDelay(0, 2, 1234);
  EXPECT_EQ(Build(WriteId::Delay(0, 2, 5)), Expected(24, 0xF3, 5, 0x10, {{5, 2}, {6, 1}, {7, 0xD2}, {8, 0x04}}));

  const int delays[6] = {300, 1, 2205, 0, 44, 700};
  for (int j = 0; j < 6; ++j) record_.SetDelay(1, j, delays[j]);
  for (int j : {0, 2, 5, 7}) record_.SetDelayEnable(1, j, true);  // output 7 is not on this processor
  record_.SetDelay(1, 7, 999);
  const Placed outputs = {{5, 0x0A},  {6, 0x25},  {7, 0x2C},  {8, 0x01},  {9, 0x01},
                          {11, 0x9D}, {12, 0x08}, {15, 0x2C}, {17, 0xBC}, {18, 0x02}};
  EXPECT_EQ(Build(WriteId::Delay(1, 4, 5)), Expected(24, 0xF3, 5, 0x10, outputs));
}

TEST_F(EveryKind, Compressor) {
  record_.SetCompressorEnable(3, true);
  record_.SetCompressorStartTime(3, 50);
  record_.SetCompressorReleaseTime(3, 1000);
  record_.SetCompressorStartGate(3, 150);
  record_.SetCompressorRatio(3, 8);
  // Threshold -(16 x 10) - 150 = -310 = 0xFECA.
  EXPECT_EQ(
      Build(WriteId::Compressor(3, 5)),
      Expected(18, 0xF3, 5, 0x29,
               {{5, 0x0A}, {6, 1}, {7, 0x08}, {8, 50}, {10, 0xE8}, {11, 0x03}, {12, 0xCA}, {13, 0xFE}, {14, 80}}));
}

TEST_F(EveryKind, EqualizerBandOnEachSide) {
  record_.SetEqualizerEnable(1, 2, 30, true);
  record_.SetEqualizerType(1, 2, 30, 7);
  record_.SetEqualizerGain(1, 2, 30, -350);
  record_.SetEqualizerFrequence(1, 2, 30, 16000);
  record_.SetEqualizerQ(1, 2, 30, 12800);
  // 25600 - 350 = 25250 = 0x62A2; 16000 = 0x3E80; 12800 = 0x3200.
  const Placed band = {{5, 0x15},  {6, 30},    {7, 1},     {8, 0xA2},  {9, 0x62}, {10, 0x80},
                       {11, 0x3E}, {12, 0x00}, {13, 0x32}, {14, 0x04}, {16, 7}};
  EXPECT_EQ(Build(WriteId::EqBand(1, 2, 30, 5)), Expected(18, 0xF3, 5, 0x0A, band));

  record_.SetEqualizerType(0, 3, 0, 6);
  record_.SetEqualizerGain(0, 3, 0, -1);
  // Band 0 keeps 20 Hz and Q 100; 25599 = 0x63FF.
  EXPECT_EQ(Build(WriteId::EqBand(0, 3, 0, 5)),
            Expected(18, 0xF3, 5, 0x0A,
                     {{5, 7}, {6, 0}, {7, 0}, {8, 0xFF}, {9, 0x63}, {10, 20}, {12, 100}, {14, 1}, {16, 6}}));
}

TEST_F(EveryKind, PinkNoisePlayAndStop) {
  const Placed head = {{5, 0x04},  {7, 3},     {8, 0x2C},  {9, 0x00},  {10, 0x01}, {11, 0x23},
                       {12, 0x45}, {13, 0x00}, {14, 0x00}, {15, 0xF0}, {16, 0x00}};
  Placed play = head;
  play.push_back({6, 1});
  EXPECT_EQ(Build(WriteId::PinkNoise(true, 2, 5)), Expected(18, 0xF9, 5, 0x01, play));
  EXPECT_EQ(Build(WriteId::PinkNoise(false, 2, 5)), Expected(18, 0xF9, 5, 0x01, head));
}

TEST_F(EveryKind, FilterShapes) {
  for (const auto& [filter, hz] : {std::pair{kHighPass, 80}, {kLowPass, 12000}}) {
    record_.SetFilterEnable(1, 1, filter, true);
    record_.SetFilterType(1, 1, filter, 2);
    record_.SetFilterSlope(1, 1, filter, 5);
    record_.SetFilterFrequence(1, 1, filter, hz);
  }
  EXPECT_EQ(Build(WriteId::Filter(1, kHighPass, 5)),
            Expected(12, 0xF3, 5, 0x1B, {{5, 1}, {6, 0x0A}, {7, 1}, {8, 0x25}, {9, 80}}));
  EXPECT_EQ(Build(WriteId::Filter(1, kLowPass, 5)),
            Expected(12, 0xF3, 5, 0x1C, {{5, 1}, {6, 0x0A}, {7, 1}, {8, 0x24}, {9, 0xE0}, {10, 0x2E}}));

  // Switched off, a type-2 filter falls back to 2n + 1 / 2n.
  record_.SetFilterEnable(1, 1, kHighPass, false);
  record_.SetFilterSlope(1, 1, kHighPass, 3);
  EXPECT_EQ(Build(WriteId::Filter(1, kHighPass, 5)).at(8), 0x27);
  record_.SetFilterType(1, 4, kLowPass, 1);
  record_.SetFilterSlope(1, 4, kLowPass, 3);
  EXPECT_EQ(Build(WriteId::Filter(4, kLowPass, 5)).at(8), 0x16);
  record_.SetFilterSlope(1, 4, kHighPass, 7);
  EXPECT_EQ(Build(WriteId::Filter(4, kHighPass, 5)).at(8), 0x0F);
}

TEST_F(EveryKind, FiltersAlwaysCarryTheOutputSide) {
  record_.SetFilterEnable(0, 2, kHighPass, true);
  record_.SetFilterFrequence(0, 2, kHighPass, 500);
  // An input page schedules the output-side filter of the same index.
  EXPECT_EQ(Build(WriteId::Filter(2, kHighPass, 5)),
            Expected(12, 0xF3, 5, 0x1B, {{5, 0}, {6, 0x0A}, {7, 2}, {8, 0x01}, {9, 20}}));
}

TEST_F(EveryKind, GainAndMuteOfTheOutputs) {
  const int gains[6] = {600, -6400, 0, 15, -15, 1234};
  const int words[6] = {2060, 1360, 2000, 2001, 1999, 2123};
  for (int j = 0; j < 6; ++j) record_.SetGain(1, j, gains[j]);
  record_.SetMute(1, 1, true);
  record_.SetMute(1, 4, true);
  record_.SetMute(1, 7, true);  // not on this processor
  Placed output = {{5, 0x0A}, {6, 0x12}, {7, 1}, {24, 4}};
  for (int j = 0; j < 6; ++j) {
    output.push_back({8 + 2 * j, words[j] & 0xFF});
    output.push_back({9 + 2 * j, words[j] >> 8});
  }
  EXPECT_EQ(Build(WriteId::GainMute(1, 0, 5)), Expected(27, 0xF3, 5, 0x0F, output));
}

TEST_F(EveryKind, InputGainFloorOnlyUpToTheInputCount) {
  DeviceRecord small(5, kChip, 4, 2, "small");
  Placed bytes = {{5, 0}, {7, 1}, {8, 0xD0}, {9, 0x07}, {24, 4}};
  for (int slot = 1; slot < 4; ++slot) {
    bytes.push_back({8 + 2 * slot, 0x50});
    bytes.push_back({9 + 2 * slot, 0x05});
  }
  EXPECT_EQ(Built(WriteId::GainMute(0, 0, 5), One(small)), Expected(27, 0xF3, 5, 0x0F, bytes));
}

TEST_F(EveryKind, Limiter) {
  record_.SetLimitEnable(5, true);
  record_.SetLimitStartGate(5, -30);
  record_.SetLimitReleaseTime(5, 300);
  // 0x20 + 200 - 30 = 202.
  EXPECT_EQ(Build(WriteId::Limiter(5, 5)),
            Expected(12, 0xF3, 5, 0x1F, {{5, 0x0A}, {6, 1}, {7, 0x20}, {8, 202}, {9, 44}}));
}

TEST_F(EveryKind, NoiseGate) {
  record_.SetNoiseGateEnable(6, true);
  record_.SetNoiseGateStartGate(6, -60);
  record_.SetNoiseGateReleaseGate(6, -70);
  record_.SetNoiseGateStartTime(6, 10);  // times are not part of the frame
  EXPECT_EQ(Build(WriteId::NoiseGate(6, 5)),
            Expected(11, 0xF3, 5, 0x12, {{5, 1}, {6, 6}, {7, 150}, {8, 140}, {9, 0xFF}}));
}

TEST_F(EveryKind, PolarityOfBothSides) {
  record_.SetPolarity(0, 4, true);
  EXPECT_EQ(Build(WriteId::Polarity(0, 4, 5)), Expected(16, 0xF3, 5, 0x1A, {{5, 1}, {6, 4}, {7, 180}}));
  record_.SetPolarity(1, 0, true);
  record_.SetPolarity(1, 5, true);
  record_.SetPolarity(1, 6, true);  // not on this processor
  EXPECT_EQ(Build(WriteId::Polarity(1, 0, 5)),
            Expected(16, 0xF3, 5, 0x1A, {{5, 0x21}, {6, 0x0A}, {7, 180}, {12, 180}}));
}

TEST_F(EveryKind, MatrixRow) {
  record_.SetRouterEnable(1, 0, true);
  record_.SetRouter(1, 0, 75);
  record_.SetRouterEnable(1, 1, true);  // the default diagonal 100
  record_.SetRouterEnable(1, 3, true);
  record_.SetRouter(1, 3, 300);
  record_.SetRouter(1, 2, 60);  // off: its level is not sent
  EXPECT_EQ(Build(WriteId::MatrixRow(1, 3, 5)),
            Expected(27, 0xF3, 5, 0x0F, {{5, 1}, {6, 0x34}, {7, 0x80}, {8, 75}, {10, 100}, {14, 44}, {24, 4}}));
}

TEST_F(EveryKind, MatrixRowOfAProcessorWithoutOutputs) {
  const DeviceRecord none(5, kChip, 2, 0, "none");
  EXPECT_EQ(Built(WriteId::MatrixRow(1, 0, 5), One(none)), Expected(27, 0xF3, 5, 0x0F, {{5, 1}, {7, 0x80}, {24, 4}}));
}

TEST_F(EveryKind, SideConditionsAndIndicesGiveNothing) {
  const DeviceList devices = One(record_);
  auto with_side = [](WriteId id, int side) {
    return WriteId((id.Value() & 0x7FFFFFFFu) | (static_cast<std::uint32_t>(side) << 31));
  };
  for (WriteId id : {with_side(WriteId::Compressor(0, 5), 0), with_side(WriteId::Limiter(0, 5), 0),
                     with_side(WriteId::Filter(0, 0, 5), 0), with_side(WriteId::NoiseGate(0, 5), 1),
                     WriteId::Filter(0, 2, 5), WriteId::MatrixRow(8, 0, 5)}) {
    EXPECT_FALSE(BuildWrite(id, devices, config_)) << std::hex << id.Value();
  }
  DeviceRecord four(5, kChip, 4, 2, "four");
  EXPECT_FALSE(BuildWrite(WriteId::MatrixRow(4, 0, 5), One(four), config_));
  EXPECT_TRUE(BuildWrite(WriteId::MatrixRow(3, 0, 5), One(four), config_));
}

TEST_F(EveryKind, UnknownKindsGiveNothing) {
  const DeviceList devices = One(record_);
  EXPECT_FALSE(BuildWrite(WriteId(0x00050086u), devices, config_));
  EXPECT_FALSE(BuildWrite(WriteId::Rename(5), devices, config_));
}

TEST(WriteLookup, MissingAddressGivesNothingForEveryKind) {
  const DeviceList devices = {DeviceRecord(2, kChip, 8, 8, "two")};
  const Configuration config;
  const WriteId ids[] = {WriteId::Delay(0, 0, 3),        WriteId::Compressor(0, 3), WriteId::EqBand(0, 0, 0, 3),
                         WriteId::PinkNoise(true, 0, 3), WriteId::Filter(0, 0, 3),  WriteId::GainMute(0, 0, 3),
                         WriteId::Limiter(0, 3),         WriteId::NoiseGate(0, 3),  WriteId::Polarity(0, 0, 3),
                         WriteId::MatrixRow(0, 0, 3)};
  for (WriteId id : ids) {
    EXPECT_FALSE(BuildWrite(id, devices, config)) << std::hex << id.Value();
    EXPECT_FALSE(BuildWrite(id, DeviceList{}, config)) << std::hex << id.Value();
    EXPECT_TRUE(
        BuildWrite(WriteId(id.Kind() == kWriteMatrixRow ? id.Value() - 0x100 : id.Value() - 0x10000), devices, config))
        << std::hex << id.Value();
  }
}

TEST(WriteLookup, BuildersTakeTheLastRecordWithTheAddress) {
  DeviceList devices = {DeviceRecord(2, kChip, 8, 8, "earlier"), DeviceRecord(2, kChip, 8, 8, "later")};
  devices[0].SetPolarity(0, 0, true);
  devices[1].SetPolarity(0, 0, false);
  EXPECT_EQ(Built(WriteId::Polarity(0, 0, 2), devices).at(5), 0);
  EXPECT_TRUE(FindDevice(devices, 2)->Polarity(0, 0));
}

TEST(WriteLookup, RecordAtHandIsSentUnderItsOwnAddress) {
  DeviceRecord r(9, kChip, 8, 8, "x");
  r.SetPolarity(0, 1, true);
  const auto frame = BuildWrite(WriteId::Polarity(0, 1, 0), r, Configuration{});
  ASSERT_TRUE(frame);
  EXPECT_EQ(*frame, Expected(16, 0xF3, 9, 0x1A, {{5, 1}, {6, 1}, {7, 180}}));
}

}  // namespace
}  // namespace dsp
