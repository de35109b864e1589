// The knob as numbers: value and angle, the texts it shows, where it is
// drawn, and how a drag around its centre or the wheel turns it.
#include "controls/knob_model.h"

#include <gtest/gtest.h>

namespace dsp::test {
namespace {

// A knob from -135 to +135 degrees for -10 .. +10, centred at (50, 50).
KnobModel Knob() {
  KnobModel knob;
  knob.settings = {
      .anglemin = -135, .anglemax = 135, .anglestep = 5, .min = -10, .max = 10, .knobsize = 60, .valuealign = ""};
  return knob;
}

constexpr CurvePoint kCentre{50, 50};

TEST(KnobModelTest, ValuesTurnTheKnobWithinItsAnglesAndReadBack) {
  struct Row {
    double value;
    double angle;
    const char* text;
  };
  const Row rows[] = {{0, 0, "0.0"},         {5, 67.5, "5.0"},    {15, 135, "10.0"}, {10, 135, "10.0"},
                      {-20, -135, "-10.0"},  {-0.04, -0.54, "0.0"}, {-0.2, -2.7, "-0.2"}, {0.04, 0.54, "0.0"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.value);
    KnobModel knob = Knob();
    knob.SetValue(row.value);
    EXPECT_NEAR(knob.Angle(), row.angle, 1e-9);
    EXPECT_EQ(knob.ValueText(), row.text);
  }
  KnobModel knob = Knob();
  EXPECT_EQ(knob.MinText(), "-10");
  EXPECT_EQ(knob.MaxText(), "10");
  knob.settings.anglemax = knob.settings.anglemin;
  knob.SetValue(3);
  EXPECT_EQ(knob.Value(), -10) << "a knob without an angle range reads its minimum";
}

TEST(KnobModelTest, TurningClockwiseOnScreenRaisesTheValue) {
  struct Row {
    CurvePoint from;
    CurvePoint to;
    double angle;
  };
  const Row rows[] = {
      {{100, 50}, {50, 100}, 90},  // right to bottom
      {{50, 100}, {0, 50}, 90},    // bottom to left
      {{15, 85}, {15, 15}, 90},    // up the left side
      {{15, 15}, {85, 15}, 90},    // across the top
      {{50, 0}, {100, 50}, 90},    // top to right
      {{85, 15}, {15, 15}, -90},   // back across the top
      {{85, 85}, {15, 85}, 90},    // along the bottom, leftwards
      {{15, 85}, {85, 85}, -90},   // along the bottom, rightwards
  };
  for (const Row& row : rows) {
    KnobModel knob = Knob();
    knob.Press(row.from);
    EXPECT_TRUE(knob.Move(row.to, kCentre));
    EXPECT_NEAR(knob.Angle(), row.angle, 1e-9) << row.from.x << "," << row.from.y;
  }
}

TEST(KnobModelTest, DraggingPastTheEndKeepsTheEndAndStillReports) {
  KnobModel knob = Knob();
  knob.SetValue(9);
  knob.Press({100, 50});
  for (CurvePoint p : {CurvePoint{50, 100}, CurvePoint{0, 50}}) EXPECT_TRUE(knob.Move(p, kCentre));
  EXPECT_EQ(knob.Angle(), 135);
  EXPECT_EQ(knob.Value(), 10);
  knob.Release();
  EXPECT_FALSE(knob.Move({50, 0}, kCentre)) << "no drag after the release";
}

TEST(KnobModelTest, APressOnTheCentreTurnsNothingAndTheNextMoveStartsThere) {
  KnobModel knob = Knob();
  knob.Press(kCentre);
  EXPECT_FALSE(knob.Move({100, 50}, kCentre));
  EXPECT_EQ(knob.Angle(), 0);
  EXPECT_TRUE(knob.Move({50, 100}, kCentre)) << "measured from (100, 50)";
  EXPECT_NEAR(knob.Angle(), 90, 1e-9);
}

TEST(KnobModelTest, TheWheelStepsByItsAngleWithinTheEnds) {
  KnobModel knob = Knob();
  knob.Wheel(1);
  EXPECT_EQ(knob.Angle(), 5);
  knob.SetValue(-10);
  knob.Wheel(-1);
  EXPECT_EQ(knob.Angle(), -135);
}

TEST(KnobModelTest, DialAndKnobAreCentredSquares) {
  KnobModel knob = Knob();
  knob.SetValue(5);
  const KnobScene scene = knob.Scene({10, 20, 111, 141});
  EXPECT_EQ(scene.dial, (PixelRect{10, 30, 110, 130})) << "the even side of the largest square";
  EXPECT_EQ(scene.knob, (PixelRect{30, 50, 90, 110}));
  EXPECT_EQ(scene.centre, (CurvePoint{60, 80}));
  EXPECT_DOUBLE_EQ(scene.rotation, 67.5);
  EXPECT_TRUE(scene.fore);
  EXPECT_EQ(scene.value_align, KnobAlign::kRight);
  knob.settings.knobsize = 0;
  knob.settings.valuealign = "center";
  EXPECT_FALSE(knob.Scene({0, 0, 100, 100}).fore) << "no knob size: the dial alone";
  EXPECT_EQ(knob.Scene({0, 0, 100, 100}).value_align, KnobAlign::kCenter);
}

// The value's line lies above the dial, whose top tick it would cover
// otherwise; the knob stays centred on the dial.
TEST(KnobModelTest, TheValueLineIsClearOfTheDial) {
  KnobModel knob = Knob();
  const struct {
    PixelRect control;
    int line_height;
  } cases[] = {{{0, 0, 100, 100}, 16}, {{0, 0, 120, 104}, 18}, {{10, 20, 111, 141}, 13}, {{0, 0, 60, 200}, 20}};
  for (const auto& c : cases) {
    const KnobScene scene = knob.Scene(c.control, c.line_height);
    EXPECT_EQ(scene.value_line, (PixelRect{c.control.left, c.control.top, c.control.right,
                                           c.control.top + c.line_height}));
    EXPECT_GE(scene.dial.top, scene.value_line.bottom);
    EXPECT_LE(scene.dial.bottom, c.control.bottom);
    EXPECT_EQ((scene.knob.left + scene.knob.right) / 2, scene.centre.x);
    EXPECT_EQ((scene.knob.top + scene.knob.bottom) / 2, scene.centre.y);
    EXPECT_EQ((scene.dial.top + scene.dial.bottom) / 2, scene.centre.y);
  }
}

}  // namespace
}  // namespace dsp::test
