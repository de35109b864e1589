#include "model/write_id.h"

#include <gtest/gtest.h>

namespace dsp {
namespace {

TEST(WriteId, ChannelKindsPackSideChannelAddressAndKind) {
  EXPECT_EQ(WriteId::GainMute(0, 3, 0x22).Value(), 0x03220085u);
  EXPECT_EQ(WriteId::GainMute(1, 3, 0x22).Value(), 0x83220085u);
  EXPECT_EQ(WriteId::Delay(1, 7, 0xFF).Value(), 0x87FF0080u);
  EXPECT_EQ(WriteId::Polarity(0, 0, 1).Value(), 0x00010089u);
  EXPECT_EQ(WriteId::Compressor(2, 5).Value(), 0x82050081u);
  EXPECT_EQ(WriteId::Limiter(2, 5).Value(), 0x82050087u);
  EXPECT_EQ(WriteId::NoiseGate(2, 5).Value(), 0x02050088u);
  EXPECT_EQ(WriteId::PinkNoise(true, 2, 3).Value(), 0x82030083u);
  EXPECT_EQ(WriteId::PinkNoise(false, 2, 3).Value(), 0x02030083u);
  EXPECT_EQ(WriteId::Rename(3).Value(), 0x0003008Bu);
}

TEST(WriteId, BandAndFilterKindsCarryTheIndexInBits8To15) {
  EXPECT_EQ(WriteId::EqBand(1, 3, 30, 0x22).Value(), 0x83221E82u);
  EXPECT_EQ(WriteId::EqBand(0, 0, 0, 1).Value(), 0x00010082u);
  EXPECT_EQ(WriteId::Filter(4, 1, 9).Value(), 0x84090184u);
  const WriteId id(0x83221E82u);
  EXPECT_EQ(id.Kind(), kWriteEqBand);
  EXPECT_EQ(id.Side(), 1);
  EXPECT_EQ(id.Channel(), 3);
  EXPECT_EQ(id.Band(), 30);
  EXPECT_EQ(id.Address(), 0x22);
}

TEST(WriteId, MatrixRowPutsTheAddressInBits8To15) {
  const WriteId id = WriteId::MatrixRow(5, 6, 0x31);
  EXPECT_EQ(id.Value(), 0x0506318Au);
  EXPECT_EQ(id.Input(), 5);
  EXPECT_EQ(id.Output(), 6);
  EXPECT_EQ(id.Address(), 0x31);
  // The input's high bit is bit 31.
  EXPECT_EQ(WriteId::MatrixRow(0x80, 0, 1).Value(), 0x8000018Au);
  EXPECT_EQ(WriteId(0x8000018Au).Input(), 0x80);
}

TEST(WriteId, FieldsAreMaskedToTheirWidths) {
  const WriteId id = WriteId::EqBand(3, 0xFF, 0x1FF, 0x1FF);
  EXPECT_EQ(id.Side(), 1);
  EXPECT_EQ(id.Channel(), 0x7F);
  EXPECT_EQ(id.Band(), 0xFF);
  EXPECT_EQ(id.Address(), 0xFF);
  EXPECT_EQ(id.Kind(), kWriteEqBand);
  EXPECT_EQ(WriteId::GainMute(0, -1, 1).Channel(), 0x7F);
}

}  // namespace
}  // namespace dsp
