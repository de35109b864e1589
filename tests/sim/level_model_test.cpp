// Level meters follow the signal path: programme and pink noise, input gain
// and mute, matrix sends, output gain and mute.

#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace dsp::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr double kFull = kLevelFullScale;

struct Levels : ::testing::Test {
  SimBus bus{31};
  SimProcessor& dsp = bus.Add("Hall", 2, 2);
  SimParameters& p = dsp.parameters();
  void SetUp() override {
    dsp.set_address(1);
    dsp.levels().SetProgramme(1, std::nullopt);
  }
  void PinkNoise(std::uint8_t mask, bool on, std::uint8_t volume) {
    Talk(bus, Frame(0xF9, 1, 0x01, {mask, on, 3, volume, 0, 0, 0, 0, 0, 0, 0, 0}));
  }
};

TEST_F(Levels, PinkNoiseOnASilentInputFollowsItsGain) {
  bus.Advance(seconds(1));
  EXPECT_EQ(dsp.levels().Input(1), 0u);
  PinkNoise(0x02, true, 255);
  bus.Advance(seconds(1));
  EXPECT_NEAR(dsp.levels().Input(1), kFull / 4, kFull / 400);  // -6 dB full scale
  p.inputs[1].gain_raw = 2060;                                 // +6.0 dB
  bus.Advance(seconds(1));
  EXPECT_NEAR(dsp.levels().Input(1), kFull, kFull / 100);
  EXPECT_NEAR(dsp.levels().Output(1), kFull, kFull / 100);  // through the factory matrix

  PinkNoise(0x02, false, 255);
  bus.Advance(seconds(8));
  EXPECT_EQ(dsp.levels().Input(1), 0u);
}

TEST_F(Levels, OutputFollowsTheMatrixSendAndTheOutputGain) {
  p.matrix[0].level[0] = 50;     // a quarter of the power
  p.outputs[0].gain_raw = 1900;  // -10.0 dB
  bus.Advance(seconds(2));
  const double in = dsp.levels().Input(0);
  ASSERT_GT(in, kFull / 1000);  // the programme plays at about -24 dB
  EXPECT_NEAR(dsp.levels().Output(0) / in, 0.025, 0.00025);
  EXPECT_EQ(dsp.levels().Output(1), 0u);  // input 1 is silent

  p.matrix[0].off_bits = 0xFF;
  bus.Advance(seconds(8));
  EXPECT_EQ(dsp.levels().Output(0), 0u);
  EXPECT_GT(dsp.levels().Input(0), 0u);
}

TEST_F(Levels, MutesSilenceTheMeters) {
  p.inputs[0].mute = true;
  bus.Advance(seconds(8));
  EXPECT_EQ(dsp.levels().Input(0), 0u);
  EXPECT_EQ(dsp.levels().Output(0), 0u);
  p.inputs[0].mute = false;
  p.outputs[0].mute = true;
  bus.Advance(seconds(1));
  EXPECT_GT(dsp.levels().Input(0), 0u);
  EXPECT_EQ(dsp.levels().Output(0), 0u);
}

TEST_F(Levels, ReadingsDependOnTheSeedAndTotalTimeOnly) {
  SimBus other(31);
  SimProcessor& twin = other.Add("Hall", 2, 2);
  bus.Advance(milliseconds(3000));
  for (int i = 0; i < 30; ++i) other.Advance(milliseconds(100));
  EXPECT_EQ(dsp.levels().Input(0), twin.levels().Input(0));
  EXPECT_EQ(dsp.levels().Output(0), twin.levels().Output(0));

  const std::uint32_t now = dsp.levels().Input(0);
  bus.Advance(milliseconds(500));
  EXPECT_NE(dsp.levels().Input(0), now);  // the programme wanders
}

}  // namespace
}  // namespace dsp::test
