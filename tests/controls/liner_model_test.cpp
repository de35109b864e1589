// The dynamics curve as numbers: where its scales, curve and handles go,
// and what drags, keys and the wheel do to the threshold and the ratio.
#include "controls/liner_model.h"

#include <gtest/gtest.h>

namespace dsp::test {
namespace {

// A 400 x 300 control, 6 px characters, 12 px lines. With axes -100..0 dB
// every 20 dB the plot runs from x 30 to 385 (5 cells of 71 px) and from
// y 6 to 286 (5 cells of 56 px).
constexpr PixelRect kControl{0, 0, 400, 300};
constexpr TextMetrics kFont{6, 12};
constexpr PixelRect kPlot{30, 6, 385, 286};

LinerModel Curve(int type, int threshold = -40) {
  LinerModel model;
  model.settings = {.type = type, .xmin = -100, .xmax = 0, .ymin = -100, .ymax = 0, .ratiomin = 0,
                    .ratiomax = 100, .xscaleinterval = 20, .yscaleinterval = 20};
  EXPECT_TRUE(model.SetValue(threshold, threshold));
  return model;
}

LinerScene Paint(const LinerModel& model, bool enabled = true) {
  return model.Scene(kControl, kFont, {"T", "R", "", ""}, enabled);
}

std::vector<CurveLine> Lines(std::initializer_list<CurveLine> lines) { return lines; }

bool NoHandles(const LinerScene& scene) { return scene.threshold_handle.IsEmpty() && scene.ratio_handle.IsEmpty(); }

TEST(LinerModelTest, GridLinesAndLabelsSitWhereTheirValuesAreDrawn) {
  LinerModel model = Curve(kLinerLimiter);
  EXPECT_EQ(Paint(model).plot, kPlot);
  for (int k = 0; k <= 5; ++k) {
    SCOPED_TRACE(k);
    const int level = -100 + 20 * k;
    ASSERT_TRUE(model.SetValue(level, level));
    const LinerScene scene = Paint(model);
    const CurvePoint bend = scene.curve[0].to;
    const std::string text = std::to_string(level);
    auto label = std::find_if(scene.labels.begin(), scene.labels.end(),
                              [&](const ScaleLabel& l) { return !l.y_scale && l.text == text; });
    ASSERT_NE(label, scene.labels.end());
    EXPECT_EQ((label->box.left + label->box.right) / 2, bend.x) << "x label under the bend";
    auto row = std::find_if(scene.labels.begin(), scene.labels.end(),
                            [&](const ScaleLabel& l) { return l.y_scale && l.text == text; });
    if (k == 0) {
      EXPECT_EQ(row, scene.labels.end()) << "the corner's x label says -100 for both scales";
    } else {
      ASSERT_NE(row, scene.labels.end());
      EXPECT_EQ((row->box.top + row->box.bottom) / 2, bend.y) << "y label beside the bend";
    }
    EXPECT_NE(std::find(scene.grid.begin(), scene.grid.end(), CurveLine{{bend.x, kPlot.top}, {bend.x, kPlot.bottom}}),
              scene.grid.end());
  }
}

TEST(LinerModelTest, LabelsNeverGoBeyondTheRange) {
  LinerModel dense = Curve(kLinerGate);
  dense.settings.yscaleinterval = 1;  // 2 px a dB: 282 px would hold 141
  LinerScene scene = dense.Scene(kControl, kFont, {}, true);
  int rows = 0;
  for (const ScaleLabel& label : scene.labels) rows += label.y_scale ? 1 : 0;
  EXPECT_EQ(rows, 100) << "0 .. -99; the corner's -100 is the x scale's";
  EXPECT_EQ(scene.plot.bottom, kPlot.top + 100 * 2);

  LinerModel part = Curve(kLinerGate);
  part.settings.xmax = part.settings.ymax = 5;  // five cells and a quarter
  ASSERT_TRUE(part.SetValue(0, 0));
  scene = Paint(part);
  const ScaleLabel& last = scene.labels.back();
  EXPECT_EQ(last.text, "0");
  EXPECT_GT(scene.plot.right, (last.box.left + last.box.right) / 2) << "the part cell follows";
  EXPECT_NEAR(scene.curve[0].to.x, (last.box.left + last.box.right) / 2, 1) << "0 dB drawn at its label";
}

TEST(LinerModelTest, EachTypeDrawsItsTransferCurve) {
  const CurvePoint bend{243, 118};  // -40 dB on both axes
  struct Row {
    int type;
    int ratio;
    std::vector<CurveLine> curve;
  };
  const Row rows[] = {
      {kLinerGate, 0, Lines({{{243, 286}, bend}, {bend, {385, 6}}})},
      {kLinerLimiter, 0, Lines({{{30, 286}, bend}, {bend, {385, 118}}})},
      {kLinerCompressor, 100, Lines({{{30, 286}, bend}, {bend, {385, 118}}})},  // flat above the threshold
      {kLinerCompressor, 50, Lines({{{30, 286}, bend}, {bend, {385, 62}}})},
      {kLinerCompressor, 0, Lines({{{30, 286}, bend}, {bend, {385, 6}}})},  // unity: the top right corner
      {7, 0, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.type << " " << row.ratio);
    LinerModel model = Curve(row.type);
    ASSERT_TRUE(model.SetRatio(row.ratio));
    EXPECT_EQ(Paint(model).curve, row.curve);
  }
}

TEST(LinerModelTest, DisabledOnlyTheDiagonal) {
  const LinerScene scene = Paint(Curve(kLinerCompressor), false);
  EXPECT_EQ(scene.curve, Lines({{{30, 286}, {385, 6}}}));
  EXPECT_TRUE(NoHandles(scene));
}

TEST(LinerModelTest, AThresholdOrRatioItCannotShowDrawsNothingOfIt) {
  LinerModel model = Curve(kLinerCompressor);
  EXPECT_FALSE(model.SetValue(10, 10));
  EXPECT_FALSE(model.SetRatio(101));
  EXPECT_EQ(model.Value(), (CurvePoint{-40, -40})) << "refused values leave the old ones";
  model.SetSkinX(10);
  model.SetSkinY(10);
  LinerScene scene = Paint(model);
  EXPECT_TRUE(scene.curve.empty());
  EXPECT_TRUE(NoHandles(scene));
  EXPECT_FALSE(model.Step(-1)) << "keys cannot move it";

  model.SetValue(-40, -40);
  model.HideRatio();
  scene = Paint(model);
  EXPECT_EQ(scene.curve.size(), 1u) << "no line above the threshold";
  EXPECT_TRUE(scene.ratio_handle.IsEmpty());
  model.HideValue();
  EXPECT_TRUE(Paint(model).curve.empty());
}

TEST(LinerModelTest, HandlesAreCentredOnThresholdAndRatioEnd) {
  LinerModel model = Curve(kLinerCompressor);
  model.SetRatio(50);
  const LinerScene scene = Paint(model);
  EXPECT_EQ(scene.threshold_handle, (PixelRect{237, 112, 249, 124}));
  EXPECT_EQ(scene.ratio_handle, (PixelRect{379, 56, 391, 68}));
  EXPECT_TRUE(model.Scene(kControl, kFont, {"", "", "", ""}, true).threshold_handle.IsEmpty())
      << "no text, no handle";
  model.settings.showcontrol = false;
  EXPECT_TRUE(NoHandles(Paint(model)));
}

TEST(LinerModelTest, TitlesTakeTheirRoomAboveAndBelow) {
  const LinerScene scene = Curve(kLinerGate).Scene(kControl, kFont, {"T", "", "输入", "输出"}, true);
  ASSERT_TRUE(scene.y_title && scene.x_title);
  EXPECT_EQ(*scene.y_title, (PixelRect{0, 6, 18, 18})) << "two characters and one spare";
  EXPECT_EQ(*scene.x_title, (PixelRect{0, 282, 400, 294}));
  EXPECT_EQ(scene.plot.top, 18 + 6);
}

TEST(LinerModelTest, DraggingTheLimiterThresholdStopsAtTheTopOfItsRangeTheGatesFollowsAcross) {
  LinerModel model = Curve(kLinerLimiter);
  model.Press({243, 118}, Paint(model));
  EXPECT_TRUE(model.Move({100, 62}, Paint(model), true));
  EXPECT_EQ(model.Value(), (CurvePoint{-20, -20}));
  EXPECT_TRUE(model.Move({100, 6}, Paint(model), true));
  EXPECT_FALSE(model.Move({100, 1}, Paint(model), true)) << "above the plot: beyond ymax";
  EXPECT_EQ(model.Value(), (CurvePoint{0, 0}));
  EXPECT_FALSE(model.Move({100, 6}, Paint(model), true)) << "the same value again is no change";
  EXPECT_FALSE(model.Move({100, 400}, Paint(model), false)) << "leaving the control ends the drag";
  EXPECT_FALSE(model.Move({100, 118}, Paint(model), true));

  LinerModel gate = Curve(kLinerGate);
  gate.Press({243, 118}, Paint(gate));
  EXPECT_TRUE(gate.Move({101, 200}, Paint(gate), true));
  EXPECT_EQ(gate.Value(), (CurvePoint{-80, -80})) << "the gate's threshold follows the pointer across";
}

TEST(LinerModelTest, DraggingTheRatioHandleSetsTheEndHeightInPercent) {
  LinerModel model = Curve(kLinerCompressor);
  model.SetRatio(0);
  model.Press({385, 6}, Paint(model));
  EXPECT_TRUE(model.Move({385, 62}, Paint(model), true));
  EXPECT_EQ(model.Ratio(), 50) << "half way down to the threshold's level";
  EXPECT_FALSE(model.Move({385, 200}, Paint(model), true)) << "below the threshold: beyond 100 %";
  EXPECT_EQ(model.Ratio(), 50);
  EXPECT_EQ(model.Value(), (CurvePoint{-40, -40}));
}

TEST(LinerModelTest, KeysStepTheThresholdWithinItsAxis) {
  LinerModel gate = Curve(kLinerGate, 0);
  EXPECT_FALSE(gate.Step(1)) << "Up at xmax";
  EXPECT_EQ(gate.Value(), (CurvePoint{0, 0}));
  gate.settings.xstep = 5;
  EXPECT_TRUE(gate.Step(-1));
  EXPECT_EQ(gate.Value(), (CurvePoint{-5, -5}));

  LinerModel limiter = Curve(kLinerLimiter, -100);
  limiter.settings.ystep = 3;
  EXPECT_FALSE(limiter.Step(-1)) << "Down at ymin";
  EXPECT_TRUE(limiter.Step(1));
  EXPECT_EQ(limiter.Value(), (CurvePoint{-97, -97}));
  limiter.settings.showcontrol = false;
  EXPECT_FALSE(limiter.Step(1));
}

TEST(LinerModelTest, DegenerateRangesDrawAndDragNothing) {
  LinerModel model;
  model.settings.type = kLinerCompressor;
  model.settings.ratiomax = 100;
  model.SetSkinRatio(50);
  const LinerScene scene = model.Scene(kControl, kFont, {"T", "R", "", ""}, true);
  EXPECT_TRUE(scene.curve.empty());
  EXPECT_TRUE(scene.grid.empty());
  model.Press({0, 0}, scene);
  EXPECT_FALSE(model.Move({10, 10}, scene, true));
  EXPECT_FALSE(model.Step(1));
}

TEST(LinerModelTest, AProcessorThatIsOffShowsTheUnityLine) {
  for (int type : {kLinerGate, kLinerLimiter}) {
    LinerModel model = Curve(type);
    model.ShowUnity();
    LinerScene scene = Paint(model);
    std::erase_if(scene.curve, [](const CurveLine& line) { return line.from == line.to; });
    EXPECT_EQ(scene.curve, Lines({{{30, 286}, {385, 6}}})) << type;
  }
}

}  // namespace
}  // namespace dsp::test
