#pragma once

// Compares every audio parameter of two records, in every table slot (in
// range of the channel counts or not), as GoogleTest expectations.

#include <gtest/gtest.h>

#include "model/device_record.h"

namespace dsp::testing {

inline void ExpectSameParameters(const DeviceRecord& a, const DeviceRecord& b) {
  for (int side = 0; side < 2; ++side) {
    for (int ch = 0; ch < 8; ++ch) {
      SCOPED_TRACE(::testing::Message() << "side " << side << " channel " << ch);
      EXPECT_EQ(a.Gain(side, ch), b.Gain(side, ch));
      EXPECT_EQ(a.Mute(side, ch), b.Mute(side, ch));
      EXPECT_EQ(a.Polarity(side, ch), b.Polarity(side, ch));
      EXPECT_EQ(a.Delay(side, ch), b.Delay(side, ch));
      EXPECT_EQ(a.DelayEnable(side, ch), b.DelayEnable(side, ch));
      for (int band = 0; band < 31; ++band) {
        EXPECT_EQ(a.EqualizerEnable(side, ch, band), b.EqualizerEnable(side, ch, band));
        EXPECT_EQ(a.EqualizerFrequence(side, ch, band), b.EqualizerFrequence(side, ch, band));
        EXPECT_EQ(a.EqualizerGain(side, ch, band), b.EqualizerGain(side, ch, band));
        EXPECT_EQ(a.EqualizerQ(side, ch, band), b.EqualizerQ(side, ch, band));
        EXPECT_EQ(a.EqualizerType(side, ch, band), b.EqualizerType(side, ch, band));
      }
      for (int f = 0; f < 2; ++f) {
        EXPECT_EQ(a.FilterEnable(side, ch, f), b.FilterEnable(side, ch, f));
        EXPECT_EQ(a.FilterFrequence(side, ch, f), b.FilterFrequence(side, ch, f));
        EXPECT_EQ(a.FilterSlope(side, ch, f), b.FilterSlope(side, ch, f));
        EXPECT_EQ(a.FilterType(side, ch, f), b.FilterType(side, ch, f));
      }
    }
  }
  for (int ch = 0; ch < 8; ++ch) {
    EXPECT_EQ(a.NoiseGateEnable(ch), b.NoiseGateEnable(ch));
    EXPECT_EQ(a.NoiseGateReleaseGate(ch), b.NoiseGateReleaseGate(ch));
    EXPECT_EQ(a.NoiseGateReleaseTime(ch), b.NoiseGateReleaseTime(ch));
    EXPECT_EQ(a.NoiseGateStartGate(ch), b.NoiseGateStartGate(ch));
    EXPECT_EQ(a.NoiseGateStartTime(ch), b.NoiseGateStartTime(ch));
    EXPECT_EQ(a.CompressorEnable(ch), b.CompressorEnable(ch));
    EXPECT_EQ(a.CompressorRatio(ch), b.CompressorRatio(ch));
    EXPECT_EQ(a.CompressorReleaseTime(ch), b.CompressorReleaseTime(ch));
    EXPECT_EQ(a.CompressorStartGate(ch), b.CompressorStartGate(ch));
    EXPECT_EQ(a.CompressorStartTime(ch), b.CompressorStartTime(ch));
    EXPECT_EQ(a.LimitEnable(ch), b.LimitEnable(ch));
    EXPECT_EQ(a.LimitReleaseTime(ch), b.LimitReleaseTime(ch));
    EXPECT_EQ(a.LimitStartGate(ch), b.LimitStartGate(ch));
    for (int out = 0; out < 8; ++out) {
      EXPECT_EQ(a.Router(ch, out), b.Router(ch, out)) << ch << "," << out;
      EXPECT_EQ(a.RouterEnable(ch, out), b.RouterEnable(ch, out)) << ch << "," << out;
    }
  }
}

}  // namespace dsp::testing
