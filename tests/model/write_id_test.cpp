#include "model/write_id.h"

#include <gtest/gtest.h>

namespace dsp {
namespace {

// The matrix row keeps the address where the other kinds keep a band, and the
// input's high bit in bit 31, where the others keep their side.
TEST(WriteId, MatrixRowFieldsComeBackFromTheirOwnBits) {
  const WriteId id = WriteId::MatrixRow(5, 6, 0x31);
  EXPECT_EQ(std::make_tuple(id.Input(), id.Output(), id.Address()), std::make_tuple(5, 6, 0x31));
  EXPECT_EQ(WriteId::MatrixRow(0x80, 0, 1).Input(), 0x80);
}

TEST(WriteId, FieldsAreMaskedToTheirWidths) {
  const WriteId id = WriteId::EqBand(3, 0xFF, 0x1FF, 0x1FF);
  EXPECT_EQ(std::make_tuple(id.Side(), id.Channel(), id.Band(), id.Address(), id.Kind()),
            std::make_tuple(1, 0x7F, 0xFF, 0xFF, kWriteEqBand));
  EXPECT_EQ(WriteId::GainMute(0, -1, 1).Channel(), 0x7F);
}

}  // namespace
}  // namespace dsp
