#include "model/device_record.h"

#include <gtest/gtest.h>

#include "model/device_list.h"

namespace dsp {
namespace {

const ChipIdBytes kChip = {1, 2, 3, 4, 5, 6, 7, 8};

TEST(DeviceRecord, ChannelCountsAreHeldWithinTheTables) {
  EXPECT_EQ(DeviceRecord(1, kChip, 12, -1, "").Inputs(), 8);
  EXPECT_EQ(DeviceRecord(1, kChip, 12, -1, "").Outputs(), 0);
}

TEST(DeviceRecord, BandCountsStayWithinTheBandSlots) {
  DeviceRecord r(1, kChip, 8, 8, "");
  r.SetEqBandCount(1, 10);
  r.SetEqBandCount(0, 32);
  EXPECT_EQ(r.EqBandCount(0), 31);
  EXPECT_EQ(r.EqBandCount(1), 10);
  for (const auto& [count, kept] : {std::pair{-1, 10}, {0, 0}, {31, 31}}) {
    r.SetEqBandCount(1, count);
    EXPECT_EQ(r.EqBandCount(1), kept) << count;
  }
}

TEST(DeviceRecord, IndicesOutsideTheTablesReadZeroAndWriteNothing) {
  DeviceRecord r(1, kChip, 8, 8, "x");
  const DeviceRecord before = r;
  r.SetGain(0, 8, 5);
  r.SetGain(2, 0, 5);
  r.SetGain(-1, 0, 5);
  r.SetGain(0, -1, 5);
  r.SetEqualizerGain(1, 7, 31, 5);
  r.SetEqualizerGain(1, 7, -1, 5);
  r.SetFilterType(1, 0, 2, 2);
  r.SetRouter(8, 0, 50);
  r.SetRouterEnable(0, -3, true);
  r.SetCompressorRatio(8, 9);
  r.SetNoiseGateEnable(-1, true);
  r.SetPresetName(17, "x");
  r.SetLevel(1, 9, 4);
  EXPECT_EQ(std::make_tuple(r.EqualizerFrequence(0, 0, 31), r.EqualizerQ(0, 8, 0), r.FilterFrequence(1, 0, 2),
                            r.Router(0, 8), r.LimitStartGate(-1), r.ChannelCount(2), r.EqBandCount(-1)),
            std::make_tuple(0, 0, 0, 0, 0, 0, 0));
  EXPECT_EQ(r.PresetName(-1), "");
  // Nothing written above landed anywhere in range.
  for (int side = 0; side < 2; ++side) {
    for (int ch = 0; ch < 8; ++ch) {
      EXPECT_EQ(r.Gain(side, ch), before.Gain(side, ch));
      EXPECT_EQ(r.Level(side, ch), 0);
      EXPECT_EQ(r.EqualizerGain(side, ch, 30), 0);
      EXPECT_EQ(r.FilterType(side, ch, kLowPass), 0);
      EXPECT_EQ(r.Router(ch, 0), before.Router(ch, 0));
      EXPECT_FALSE(r.RouterEnable(0, ch));
      EXPECT_EQ(r.CompressorRatio(ch), 1);
      EXPECT_FALSE(r.NoiseGateEnable(ch));
    }
  }
  for (int slot = 0; slot < 17; ++slot) EXPECT_EQ(r.PresetName(slot), "");
}

TEST(DeviceRecord, CopyParametersCarriesAudioNotIdentity) {
  DeviceRecord source(1, {9, 9, 9, 9, 9, 9, 9, 9}, 8, 8, "source");
  source.SetGain(1, 3, -600);
  source.SetEqualizerType(0, 2, 10, 7);
  source.SetFilterSlope(1, 1, kLowPass, 5);
  source.SetNoiseGateStartGate(4, -40);
  source.SetCompressorEnable(6, true);
  source.SetLimitReleaseTime(7, 100);
  source.SetRouterEnable(2, 5, true);
  source.SetDelay(0, 0, 441);
  source.SetSynchronised(true);
  source.SetLevel(0, 0, 77);
  source.SetStatus(3);
  source.SetCurrentPreset(4);
  source.SetPresetName(4, "Show");

  DeviceRecord target(2, kChip, 4, 2, "target");
  target.CopyParametersFrom(source);

  EXPECT_EQ(std::make_tuple(target.Gain(1, 3), target.EqualizerType(0, 2, 10), target.FilterSlope(1, 1, kLowPass),
                            target.NoiseGateStartGate(4), target.CompressorEnable(6), target.LimitReleaseTime(7),
                            target.RouterEnable(2, 5), target.Delay(0, 0)),
            std::make_tuple(-600, 7, 5, -40, true, 100, true, 441));

  EXPECT_EQ(std::make_tuple(target.Address(), target.ChipId(), target.Name(), target.Inputs(), target.Outputs()),
            std::make_tuple(2, kChip, std::string("target"), 4, 2));
  EXPECT_EQ(std::make_tuple(target.Synchronised(), target.Level(0, 0), target.Status(), target.CurrentPreset(),
                            target.PresetName(4)),
            std::make_tuple(false, 0, -1, -1, std::string()));
}

TEST(DeviceList, FirstMatchForPagesLastMatchForWrites) {
  DeviceList devices;
  devices.emplace_back(1, kChip, 8, 8, "one");
  devices.emplace_back(2, kChip, 8, 8, "first two");
  devices.emplace_back(2, kChip, 8, 8, "second two");
  ASSERT_NE(FindDevice(devices, 2), nullptr);
  EXPECT_EQ(FindDevice(devices, 2)->Name(), "first two");
  EXPECT_EQ(FindDeviceForWrite(devices, 2)->Name(), "second two");
  EXPECT_EQ(FindDeviceForWrite(devices, 1)->Name(), "one");
  EXPECT_EQ(FindDevice(devices, 3), nullptr);
  EXPECT_EQ(FindDeviceForWrite(devices, 3), nullptr);
  EXPECT_EQ(FindDeviceForWrite(DeviceList{}, 1), nullptr);

  FindDevice(devices, 1)->SetName("renamed");
  EXPECT_EQ(devices[0].Name(), "renamed");
}

}  // namespace
}  // namespace dsp
