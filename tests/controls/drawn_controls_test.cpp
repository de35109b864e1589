// The dynamics curve and the knob on a window, driven by real mouse, key
// and wheel events: what they raise, and the skin attributes that decide
// whether the user may move them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "../platform/ui_test_support.h"
#include "controls/knob_control.h"
#include "controls/liner_control.h"

namespace dsp::test {
namespace {

class DrawnControlsTest : public UiTest {
 protected:
  DrawnControlsTest() {
    skin.Write("view/Controls.xml", R"(<Window name="controls_window" size="500,460">
  <Font id="0" size="12" default="true"/>
  <Liner name="liner_gate" text="T" height="300" type="0" xmin="-100" xmax="0" ymin="-100" ymax="0"
         xvalue="0" yvalue="0" xscaleinterval="20" yscaleinterval="20"/>
  <HorizontalLayout height="100">
    <Liner name="liner_small" width="40" type="1" xmin="-60" xmax="20" ymin="-60" ymax="20" showcontrol="false"/>
    <Knob name="knob_level" width="100" min="-10" max="10" anglemin="-135" anglemax="135" anglestep="27"
          knobsize="60"/>
  </HorizontalLayout>
</Window>)");
    window.Create(nullptr, "controls");
    window.ShowWindow();
  }

  LinerControl& Gate() { return driver.Get<LinerControl>("liner_gate"); }
  std::size_t Changes(const std::string& name) { return window.Of("valuechanged", name).size(); }
  // A left-button drag on `widget` from `from` to `to`, as Qt delivers it.
  static void Drag(QWidget& widget, QPoint from, QPoint to) {
    for (const auto& [type, at] :
         {std::pair{QEvent::MouseButtonPress, from}, {QEvent::MouseMove, to}, {QEvent::MouseButtonRelease, to}}) {
      const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
      QApplication::sendEvent(&widget, &event);
    }
  }

  TemporarySkin skin;
  RecordingWindow window{"view/Controls.xml"};
};

TEST_F(DrawnControlsTest, UpAtTheTopOfTheRangeChangesAndSendsNothing) {
  driver.Key("liner_gate", UiKey::kUp);
  EXPECT_EQ(Changes("liner_gate"), 0u);
  EXPECT_EQ(Gate().Value(), (CurvePoint{0, 0}));
  driver.Key("liner_gate", UiKey::kLeft);
  driver.Wheel("liner_gate", false);
  EXPECT_EQ(Changes("liner_gate"), 2u);
  EXPECT_EQ(Gate().Value(), (CurvePoint{-2, -2}));
}

TEST_F(DrawnControlsTest, OnlyTheExactTextTrueShowsTheHandles) {
  EXPECT_FALSE(Gate().Scene().threshold_handle.IsEmpty());
  Gate().SetAttribute("showcontrol", "True");
  EXPECT_TRUE(Gate().Scene().threshold_handle.IsEmpty());
  driver.Key("liner_gate", UiKey::kDown);
  EXPECT_EQ(Changes("liner_gate"), 0u) << "and the user cannot move the threshold";
}

TEST_F(DrawnControlsTest, DraggingTheThresholdRaisesValueChangedAndReleaseClick) {
  const PixelRect handle = Gate().Scene().threshold_handle;
  const QPoint grip((handle.left + handle.right) / 2, (handle.top + handle.bottom) / 2);
  const PixelRect plot = Gate().Scene().plot;
  Drag(Gate(), grip, {(plot.left + plot.right) / 2, grip.y()});
  EXPECT_EQ(Gate().Value(), (CurvePoint{-50, -50}));
  EXPECT_EQ(Changes("liner_gate"), 1u);
  EXPECT_EQ(window.Of("click", "liner_gate").size(), 1u);
}

TEST_F(DrawnControlsTest, TheKnobTakesItsValueFromTheSkinAndTurnsWithTheWheel) {
  auto& knob = driver.Get<KnobControl>("knob_level");
  knob.SetAttribute("value", "15");
  EXPECT_EQ(knob.Angle(), 135);
  EXPECT_EQ(knob.ValueText(), "10.0");
  driver.Wheel("knob_level", true);
  EXPECT_EQ(Changes("knob_level"), 1u) << "reported even at the end";
  driver.Wheel("knob_level", false);
  EXPECT_EQ(knob.ValueText(), "8.0");
  const QPoint centre = *knob.NamedPoint("centre");
  EXPECT_GT(centre.y(), knob.height() / 2) << "the value's line is above the dial";
  Drag(knob, centre + QPoint(30, 0), centre + QPoint(0, 30));
  EXPECT_EQ(knob.Value(), 10) << "a quarter turn clockwise, held at the end";
  EXPECT_EQ(Changes("knob_level"), 3u);
}

}  // namespace
}  // namespace dsp::test
