// The selected handle's value tips: their lines, and a place beside the
// handle inside the plot that covers no other handle.
#include <gtest/gtest.h>

#include "controls/handle_tips.h"

namespace dsp {
namespace {

TEST(HandleTipsTest, FrequencyGainAndQ) {
  EXPECT_EQ(HandleTips(999, std::pair{-1230, 250}), (std::vector<std::string>{"999Hz", "-12.3dB", "Q:2.5"}));
  EXPECT_EQ(HandleTips(12500, std::nullopt), (std::vector<std::string>{"12.500kHz"}));
}

// A plot of 400 x 200 pixels, handles 36 pixels square pulsing 4 wider, a
// block of tips 60 x 42: below the handle for a level of 0 dB or more,
// above it otherwise, unless that covers another handle or leaves the plot.
TEST(HandleTipsTest, TheTipsGoWhereTheyCoverNoOtherHandle) {
  const PixelRect plot{0, 0, 400, 200};
  const TipSize size{60, 42};
  const PixelRect handle{182, 82, 218, 118};  // centre 200, 100
  const PixelRect below{170, 122, 230, 164};
  const PixelRect above{170, 36, 230, 78};
  const PixelRect right_of{222, 79, 282, 121};
  const PixelRect left_of{118, 79, 178, 121};
  const PixelRect under{182, 130, 218, 166};
  const PixelRect over{182, 40, 218, 76};
  const PixelRect beside_right{240, 82, 276, 118};
  // Two handles under it, two over it, one at each side.
  const std::vector<PixelRect> hemmed_in = {under, under, over, over, beside_right, {100, 80, 170, 120}};
  const struct {
    const char* what;
    PixelRect square;
    bool at_or_above_zero;
    std::vector<PixelRect> others;
    PixelRect block;
  } cases[] = {
      {"alone, at or above 0 dB", handle, true, {}, below},
      {"alone, below 0 dB", handle, false, {}, above},
      {"a handle under it", handle, true, {under}, above},
      {"handles under and over it", handle, true, {under, over}, right_of},
      {"handles under, over and right of it", handle, false, {under, over, beside_right}, left_of},
      {"hemmed in: the place covering fewest", handle, true, hemmed_in, right_of},
      {"at the plot's right edge: moved left to fit", {372, 82, 400, 118}, true, {}, {340, 122, 400, 164}},
      {"at the plot's bottom: above instead", {182, 170, 218, 200}, true, {}, {170, 124, 230, 166}},
      {"at the top right corner, a handle under it", {364, 0, 400, 36}, true, {{364, 44, 400, 80}}, {300, 0, 360, 42}},
  };
  for (const auto& c : cases) {
    const PixelRect block = TipBlock(c.square, 4, c.at_or_above_zero, size, plot, c.others);
    EXPECT_EQ(block, c.block) << c.what << ": got " << block.left << "," << block.top << " " << block.right << ","
                              << block.bottom;
  }
}

TEST(HandleTipsTest, TheFirstLineIsNextToTheHandle) {
  const PixelRect square{100, 50, 136, 86};
  const auto down = TipLines({90, 90, 150, 132}, square, 3, 14);
  EXPECT_EQ(down, (std::vector<PixelRect>{{90, 90, 150, 104}, {90, 104, 150, 118}, {90, 118, 150, 132}}));
  const auto up = TipLines({90, 4, 150, 46}, square, 3, 14);
  EXPECT_EQ(up, (std::vector<PixelRect>{{90, 32, 150, 46}, {90, 18, 150, 32}, {90, 4, 150, 18}}));
  const auto beside = TipLines({140, 47, 200, 89}, square, 3, 14);
  EXPECT_EQ(beside.front(), (PixelRect{140, 47, 200, 61}));
}

}  // namespace
}  // namespace dsp
