// The equaliser graph's handles and what the user does to them, as numbers:
// which handle a press takes, what a drag, a key or the wheel changes and
// reports, and the pulse of the selected handle.
#include <gtest/gtest.h>

#include "controls/eq_graph_model.h"

namespace dsp {
namespace {

using Type = GraphNotice::Type;

// 280 rows high: 10 pixels per dB, 0 dB on row 150.
const PixelRect kPlot{30, 10, 1030, 290};
constexpr int kRadius = 18;

class EqGraphModelTest : public ::testing::Test {
 protected:
  EqGraphModelTest() { model.LayOut(kPlot, kRadius); }
  PixelPoint CentreOf(const PixelRect& square) const {
    return {(square.left + square.right) / 2.0, (square.top + square.bottom) / 2.0};
  }
  PixelPoint Handle(int band) const { return CentreOf(model.BandHits().at(static_cast<std::size_t>(band))); }
  double XOf(int hz) const { return kPlot.left + FrequencyAxis(kPlot.Width()).X(hz); }
  std::pair<int, int> FrequencyAndGain(int band) const { return {model.Band(band).frequency, model.Band(band).gain}; }
  void Set(int band, int hz, int gain, int type = eq_shape::kPeak) {
    ASSERT_TRUE(model.SetBand(band, hz, gain, 100, type, true));
    model.LayOut(kPlot, kRadius);
  }

  EqGraphModel model;
};

TEST_F(EqGraphModelTest, BandsTakeOnlyValuesWithinTheirRanges) {
  struct Row {
    int index, hz, gain, q;
    bool taken;
  };
  const Row rows[] = {{0, 10, -1400, 50, true},   {30, 30000, 1400, 12800, true}, {31, 1000, 0, 100, false},
                      {-1, 1000, 0, 100, false},  {0, 9, 0, 100, false},          {0, 30001, 0, 100, false},
                      {0, 1000, 1401, 100, false}, {0, 1000, 0, 49, false},        {0, 1000, 0, 12801, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.index << " " << row.hz << " " << row.gain << " " << row.q);
    EqGraphModel fresh;
    EXPECT_EQ(fresh.SetBand(row.index, row.hz, row.gain, row.q, 7, true), row.taken);
    if (!row.taken && row.index == 0) {
      EXPECT_EQ(fresh.Band(0).frequency, 25) << "the old band stays";
    }
  }
}

TEST_F(EqGraphModelTest, HandlesSitAtTheirFrequencyAndGainAndShowBandNumberLimitsThem) {
  Set(17, 1000, 600);
  const int left = static_cast<int>(XOf(1000) - kRadius);
  EXPECT_EQ(model.BandHits()[17], (PixelRect{left, 150 - 60 - kRadius, left + 2 * kRadius, 150 - 60 + kRadius}));
  EXPECT_EQ(model.HighPass().hit.top, 150 + 60 - kRadius) << "the high pass sits at -6 dB";
  EXPECT_EQ(model.LowPass().hit.top, 150 + 100 - kRadius) << "the low pass at -10 dB";

  model.SetHighPass(0, true);
  model.LayOut(kPlot, kRadius);
  EXPECT_LT(model.HighPass().hit.right, kPlot.left) << "a corner of 0 Hz sits left of the plot";

  model.SetShowBandNumber(10);
  Set(20, 5000, 600);
  EXPECT_EQ(model.BandHits().size(), 10u);
  EXPECT_FALSE(model.Press(CentreOf(model.HandleSquare(5000, 600))));
  EXPECT_EQ(model.SelectedBand(), -1) << "band 20 has no handle";
  EXPECT_EQ(model.ShowBandNumber(), 10);
  model.SetShowBandNumber(40);
  model.LayOut(kPlot, kRadius);
  EXPECT_EQ(model.BandHits().size(), 31u) << "never more handles than bands";
  EXPECT_EQ(model.ShowBandNumber(), 40) << "the host reads back what the skin said";
}

TEST_F(EqGraphModelTest, APressTakesTheLowestBandThenAFilterOrClearsTheSelection) {
  Set(3, 2000, 0);
  Set(4, 2000, 0);
  EXPECT_EQ(model.Press(Handle(3)), (GraphNotice{Type::kSelectChanged, 0, 3}));
  EXPECT_EQ(model.SelectedBand(), 3) << "the lower index wins";
  EXPECT_TRUE(model.Dragging());

  EXPECT_FALSE(model.Press(CentreOf(model.HighPass().hit)));
  EXPECT_TRUE(model.HighPass().selected);
  EXPECT_EQ(model.SelectedBand(), -1);
  EXPECT_FALSE(model.Press(CentreOf(model.LowPass().hit)));
  EXPECT_TRUE(model.LowPass().selected);
  EXPECT_FALSE(model.HighPass().selected);

  EXPECT_FALSE(model.Press({kPlot.left + 1.0, kPlot.top + 1.0}));
  EXPECT_FALSE(model.AnySelected());
  EXPECT_FALSE(model.Dragging());
}

TEST_F(EqGraphModelTest, DraggingMovesFrequencyAndGainWithinTheUsersRanges) {
  Set(8, 1000, 0);
  model.Press(Handle(8));
  EXPECT_EQ(model.Move({XOf(2000), 150 - 35}, true), (GraphNotice{Type::kValueChanged, 0, 8}));
  EXPECT_NEAR(model.Band(8).frequency, 2000, 20) << "within a pixel";
  EXPECT_EQ(model.Band(8).gain, 350);
  model.Move({kPlot.left - 20.0, kPlot.top - 5.0}, true);
  EXPECT_EQ(FrequencyAndGain(8), std::pair(20, 1200)) << "left of the plot; above the top stops at +12 dB";
  model.Move({kPlot.right + 5.0, kPlot.bottom + 5.0}, true);
  EXPECT_EQ(FrequencyAndGain(8), std::pair(20000, -1200));

  Set(9, 500, 300, eq_shape::kHighPass);
  model.Press(Handle(9));
  model.Move({XOf(800), kPlot.top + 1.0}, true);
  EXPECT_NEAR(model.Band(9).frequency, 800, 8);
  EXPECT_EQ(model.Band(9).gain, 300) << "a high-pass band keeps its gain";

  EXPECT_FALSE(model.Move({XOf(300), 150}, false)) << "leaving the control ends the drag";
  EXPECT_FALSE(model.Dragging());
  EXPECT_FALSE(model.Move({XOf(300), 150}, true));
  EXPECT_NEAR(model.Band(9).frequency, 800, 8);
}

TEST_F(EqGraphModelTest, FiltersDragByFrequencyOnlyAndReportTheirOwnCodes) {
  model.Press(CentreOf(model.HighPass().hit));
  EXPECT_EQ(model.Move({XOf(120), 20}, true), (GraphNotice{Type::kValueChanged, 0, 128}));
  EXPECT_NEAR(model.HighPass().frequency, 120, 2);
  EXPECT_EQ(model.HighPass().handle_level, -600);
  model.Release();
  EXPECT_FALSE(model.Move({XOf(200), 20}, true));

  model.Press(CentreOf(model.LowPass().hit));
  EXPECT_EQ(model.Move({XOf(8000), 20}, true), (GraphNotice{Type::kValueChanged, 0, 192}));
  EXPECT_EQ(model.Key(GraphKey::kRight), (GraphNotice{Type::kValueChanged, 1, 1}));
  EXPECT_EQ(model.Key(GraphKey::kUp), std::nullopt) << "filters move sideways only";
  EXPECT_FALSE(model.Wheel(true));
  model.Press(CentreOf(model.HighPass().hit));
  const int before = model.HighPass().frequency;
  EXPECT_EQ(model.Key(GraphKey::kLeft), (GraphNotice{Type::kValueChanged, 1, 0}));
  EXPECT_EQ(model.HighPass().frequency, before - 1);
}

TEST_F(EqGraphModelTest, KeysAndTheWheelStepTheSelectedBandAndStillReportAtTheLimits) {
  Set(2, 20000, 1190);
  model.Press(Handle(2));
  struct Step {
    GraphKey key;
    int hz;
    int gain;
  };
  const Step steps[] = {{GraphKey::kRight, 20000, 1190}, {GraphKey::kLeft, 19999, 1190}, {GraphKey::kUp, 19999, 1200},
                        {GraphKey::kUp, 19999, 1200},    {GraphKey::kDown, 19999, 1190}};
  for (const Step& step : steps) {
    EXPECT_EQ(model.Key(step.key), (GraphNotice{Type::kValueChanged, 0, 2}));
    EXPECT_EQ(FrequencyAndGain(2), std::pair(step.hz, step.gain));
  }
  EXPECT_FALSE(model.Key(GraphKey::kOther));
  EXPECT_EQ(model.Wheel(false), (GraphNotice{Type::kValueChanged, 1, 2}));
  EXPECT_EQ(model.Band(2).q, 90);
  for (int turn = 0; turn < 10; ++turn) model.Wheel(false);
  EXPECT_EQ(model.Band(2).q, 50);
  model.Wheel(true);
  EXPECT_EQ(model.Band(2).q, 60);
}

TEST_F(EqGraphModelTest, LosingTheBandSelectionKeepsAFilterSelected) {
  Set(1, 100, 0);
  model.Press(Handle(1));
  EXPECT_TRUE(model.ClearBandSelection());
  EXPECT_FALSE(model.AnySelected());
  EXPECT_FALSE(model.ClearBandSelection());
  model.Press(CentreOf(model.HighPass().hit));
  EXPECT_FALSE(model.ClearBandSelection());
  EXPECT_TRUE(model.HighPass().selected);
}

TEST_F(EqGraphModelTest, TheSelectedHandlePulsesBetweenZeroAndFourPixels) {
  model.StartPulse();
  std::vector<int> seen;
  for (int tick = 0; tick < 12; ++tick) {
    model.PulseTick();
    seen.push_back(model.Pulse());
  }
  EXPECT_EQ(seen, (std::vector<int>{-1, 0, 1, 2, 3, 4, 3, 2, 1, 0, 1, 2}));
}

// Handles 30 and 31 at 16 kHz and 20 kHz overlap; "20000" is wider than
// its handle.
TEST(LabelledHandlesTest, LabelsFitTheirHandlesAndNeverOverlap) {
  const std::vector<PixelRect> squares = {{0, 0, 36, 36}, {20, 0, 56, 36}, {60, 0, 96, 36}, {100, 0, 136, 36}};
  const LabelSize fits{30, 30};
  const LabelSize too_wide{40, 30};
  const struct {
    const char* what;
    std::vector<LabelSize> sizes;
    std::vector<bool> hidden;
    int selected;
    std::vector<bool> labelled;
  } cases[] = {
      {"the lower band of two that overlap", {fits, fits, fits, fits}, {}, -1, {true, false, true, true}},
      {"the selected one first", {fits, fits, fits, fits}, {}, 1, {false, true, true, true}},
      {"a hidden handle gives way", {fits, fits, fits, fits}, {true, false, false, false}, -1,
       {false, true, true, true}},
      {"a label wider than its handle", {fits, fits, too_wide, fits}, {}, -1, {true, false, false, true}},
      {"a label taller than its handle", {fits, fits, fits, {10, 37}}, {}, 3, {true, false, true, false}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LabelledHandles(squares, c.sizes, c.hidden, c.selected), c.labelled) << c.what;
  }
}

}  // namespace
}  // namespace dsp
