// Equaliser imports from room-measurement exports: the lines a file may
// hold, the ones refused with their line number, and the channel they land
// in.
#include "persist/eq_filter_export.h"

#include <gtest/gtest.h>

#include "../support/temp_dir.h"

namespace dsp {
namespace {

constexpr const char* kExport =
    "Filter Settings file\n"
    "\n"
    "Room EQ V5.20\n"
    "Dated: 6 Dec 2026 20:15:04\n"
    "Notes: living room, left\n"
    "Equaliser: Generic\n"
    "Filter  1: ON  PK       Fc    63.0 Hz  Gain  -5.04 dB  Q  4.003\n"
    "Filter  2: ON  PK       Fc   125.4 Hz  Gain  -4.5 dB  Q  3.20\n"
    "Filter  3: OFF PK       Fc   250.0 Hz  Gain  -2.0 dB  Q  1.00\n"
    "Filter  4: ON  None\n"
    "Filter  5: ON  LS       Fc   100 Hz  Gain  3.0 dB\n"
    "Filter  6: ON  HS       Fc  8000 Hz  Gain  -2.0 dB  Q 0.71\r\n"
    "Filter  7: OFF None\n";

TEST(EqFilterExport, PeaksAndShelvesInFileOrderSkippingWhatIsOff) {
  const EqImport parsed = ParseEqFilterExport(kExport, kEqBands);
  ASSERT_FALSE(parsed.error) << parsed.error->EnglishText();
  ASSERT_EQ(parsed.bands.size(), 4u);
  const ImportedBand expected[] = {{1, 63, -504, 400}, {1, 125, -450, 320}, {6, 100, 300, 100}, {7, 8000, -200, 71}};
  for (std::size_t i = 0; i < 4; ++i) {
    const ImportedBand& got = parsed.bands[i];
    EXPECT_EQ(std::make_tuple(got.type, got.frequency, got.gain, got.q),
              std::make_tuple(expected[i].type, expected[i].frequency, expected[i].gain, expected[i].q))
        << "band " << i;
  }
}

TEST(EqFilterExport, WhatCannotBeImportedIsRefusedWithItsLine) {
  struct Case {
    const char* line;
    const char* says;
  };
  const Case cases[] = {
      {"Filter  1: ON  LP       Fc  80.0 Hz", "filter type \"LP\""},
      {"Filter  1: ON  PK       Fc  10.0 Hz  Gain  1.0 dB  Q  1.0", "frequency 10.0 is outside 20..20000 Hz"},
      {"Filter  1: ON  PK       Fc  100 Hz  Gain  13.0 dB  Q  1.0", "gain 13.0 is outside -12..12 dB"},
      {"Filter  1: ON  PK       Fc  100 Hz  Gain  1.0 dB  Q  0.2", "Q 0.2 is outside"},
      {"Filter  1: ON  PK       Fc  100 Hz  Gain  1.0 dB", "needs Fc, Gain and Q"},
      {"Filter  1: ON  PK       Fc  1e9999 Hz  Gain  1.0 dB  Q 1", "is not a number"},
      {"Filter  1: MAYBE PK     Fc  100 Hz  Gain  1.0 dB  Q 1", "neither ON nor OFF"},
      {"Filter 1:", "needs its state and type"},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.line);
    const EqImport parsed = ParseEqFilterExport(std::string("Header\n\n") + each.line + "\n", kEqBands);
    ASSERT_TRUE(parsed.error);
    const std::string text = parsed.error->EnglishText();
    EXPECT_TRUE(text.starts_with("line 3: ")) << text;
    EXPECT_NE(text.find(each.says), std::string::npos) << text;
  }
}

TEST(EqFilterExport, MoreFiltersThanBandsAreRefused) {
  std::string text;
  for (int i = 1; i <= 4; ++i) text += "Filter " + std::to_string(i) + ": ON PK Fc 100 Hz Gain 1 dB Q 1\n";
  EXPECT_FALSE(ParseEqFilterExport(text, 4).error);
  text += "Filter 5: ON PK Fc 100 Hz Gain 1 dB Q 1\n";
  const EqImport parsed = ParseEqFilterExport(text, 4);
  ASSERT_TRUE(parsed.error);
  EXPECT_EQ(parsed.error->EnglishText(), "line 5: more filters than the 4 bands of a channel");
}

TEST(EqFilterExport, ImportedBandsFillTheFirstSlotsAndSwitchTheRestOff) {
  testing::TempDir dir;
  testing::WriteText(dir.File("left.txt"), kExport);
  std::vector<ImportedBand> bands;
  ASSERT_TRUE(ReadEqFilterExport(dir.File("left.txt"), kEqBands, bands).Ok());
  DeviceRecord record(1, {}, 4, 4, "Hall");
  for (int band = 0; band < kEqBands; ++band) record.SetEqualizerEnable(kOutputSide, 2, band, true);
  ApplyImportedBands(record, kOutputSide, 2, bands);
  EXPECT_EQ(record.EqualizerFrequence(kOutputSide, 2, 3), 8000);
  EXPECT_EQ(record.EqualizerType(kOutputSide, 2, 2), 6);
  for (int band = 0; band < kEqBands; ++band) EXPECT_EQ(record.EqualizerEnable(kOutputSide, 2, band), band < 4);
  EXPECT_FALSE(record.EqualizerEnable(kOutputSide, 1, 0)) << "other channels stay as they were";

  testing::WriteText(dir.File("bad.txt"), "Filter 1: ON LP Fc 80 Hz\n");
  const FileResult refused = ReadEqFilterExport(dir.File("bad.txt"), kEqBands, bands);
  EXPECT_EQ(refused.error, FileError::kNotParameterFile);
  EXPECT_NE(refused.message.find("bad.txt, line 1"), std::string::npos) << refused.message;
}

}  // namespace
}  // namespace dsp
