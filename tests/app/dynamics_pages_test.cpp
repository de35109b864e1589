// The noise gate, compressor and limiter pages edited as a user edits
// them: typed, stepped and slid values, the curves' handles and keys, the
// switches, the overview's blocks, and values the pages cannot show.
#include <QApplication>
#include <QMouseEvent>

#include "controls/liner_control.h"
#include "page_edits_fixture.h"
#include "platform/slider.h"

namespace dsp::test {
namespace {

constexpr std::uint8_t kCompressorCommand = 0x29;
constexpr std::uint8_t kLimiterCommand = 0x1F;
constexpr std::uint8_t kNoiseGateCommand = 0x12;

int Le16(const Bytes& frame, std::size_t at) { return frame[at] | frame[at + 1] << 8; }

QPoint Centre(const PixelRect& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

class DynamicsPagesTest : public PageEditsTest {
 protected:
  LinerControl& Curve(const std::string& name) { return driver.Get<LinerControl>(name); }
  void Drag(const std::string& name, QPoint from, QPoint to) {
    QWidget& widget = Curve(name);
    for (const auto& [type, at] : {std::pair{QEvent::MouseButtonPress, from}, std::pair{QEvent::MouseMove, to},
                                   std::pair{QEvent::MouseButtonRelease, to}}) {
      const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
      QApplication::sendEvent(&widget, &event);
    }
  }
  SimParameters& Processor(int position) { return bus.processor(static_cast<std::size_t>(position)).parameters(); }
};

// The threshold is held as a depth below full scale and shown as the level
// it is, as on the overview: a typed sign changes nothing.
TEST_F(DynamicsPagesTest, CompressorThresholdIsShownAsALevelTypedInDecibelsAndSteppedInTenths) {
  SelectNamed("Hall");
  harness.Raise("list_header_item_output_2", "headerclick");
  driver.Click("button_comp_2");
  EXPECT_EQ(harness.Text("label_window_comp_title"), "Compressor - OUT C");
  struct Row {
    const char* typed;
    int stored;
    const char* shown;
  };
  const Row rows[] = {{"12.5", 125, "-12.5"}, {"-12.54", 125, "-12.5"}, {"12.3", 123, "-12.3"},
                      {"-75", 600, "-60.0"}, {"-3 dB", 30, "-3.0"},    {"x", 30, "-3.0"},
                      {"0", 0, "0.0"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    driver.Type("edit_comp_start_gate", row.typed);
    EXPECT_EQ(Shown().CompressorStartGate(2), row.stored);
    EXPECT_EQ(harness.Text("edit_comp_start_gate"), row.shown);
    EXPECT_EQ(harness.Value("slider_comp_start_gate"), row.stored);
  }
  driver.Type("edit_comp_start_gate", "12.5");
  EXPECT_EQ(Curve("liner_comp").Value(), (CurvePoint{-125, -125})) << "12.5 dB down is drawn at -12.5 dB";
  Wait();
  driver.Key("edit_comp_start_gate", UiKey::kUp);
  EXPECT_EQ(Shown().CompressorStartGate(2), 124) << "up raises the threshold";
  EXPECT_EQ(harness.Text("edit_comp_start_gate"), "-12.4");
  const auto frames = SentNow(kCompressorCommand);
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.back()[7], 1 << 2) << "output C";
  EXPECT_EQ(Le16(frames.back(), 12), 0x10000 - 124);
}

TEST_F(DynamicsPagesTest, DraggingTheRatioHandleSetsTheRatioAndNothingElse) {
  SelectNamed("Hall");
  driver.DoubleClick("button_comp");
  driver.Click("checkbox_comp_enable");
  driver.Type("edit_comp_start_gate", "20");
  SentNow(kCompressorCommand);
  const LinerScene scene = Curve("liner_comp").Scene();
  const QPoint end = Centre(scene.ratio_handle);
  const int below_top = Centre(scene.threshold_handle).y() - scene.plot.top;
  Drag("liner_comp", end, {end.x(), scene.plot.top + below_top * 3 / 4});
  EXPECT_EQ(Shown().CompressorRatio(0), 4) << "three quarters of the way down: 4:1";
  EXPECT_EQ(harness.Text("edit_comp_ratio"), "4");
  EXPECT_EQ(harness.Value("slider_comp_ratio"), 4);
  EXPECT_EQ(Shown().CompressorStartGate(0), 200);
  const auto frames = SentNow(kCompressorCommand);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(Le16(frames[0], 14), 40);

  Drag("liner_comp", Centre(Curve("liner_comp").Scene().threshold_handle), {end.x(), scene.plot.top});
  EXPECT_EQ(Shown().CompressorStartGate(0), 0) << "the threshold dragged to the top";
  EXPECT_EQ(Shown().CompressorRatio(0), 4);
}

// Stage has 4 inputs and 8 outputs.
TEST_F(DynamicsPagesTest, CompressorAndLimiterWorkOnAnOutputTheGateOnAnInput) {
  SelectNamed("Stage");
  harness.Raise("list_header_item_input_1", "headerclick");
  harness.Raise("list_header_item_output_5", "headerclick");
  driver.DoubleClick("button_noise_gate");
  EXPECT_EQ(harness.Text("label_window_noise_gate_title"), "Noise Gate - IN B");
  driver.Click("checkbox_noise_gate_enable");
  const auto gate = SentNow(kNoiseGateCommand);
  ASSERT_EQ(gate.size(), 1u);
  EXPECT_EQ(gate[0][5], 1);
  EXPECT_EQ(gate[0][6], 1) << "input B";

  driver.DoubleClick("button_comp");
  EXPECT_EQ(harness.Text("label_window_comp_title"), "Compressor - OUT F");
  driver.Click("checkbox_comp_enable");
  const auto compressor = SentNow(kCompressorCommand);
  ASSERT_EQ(compressor.size(), 1u);
  EXPECT_EQ(compressor[0][7], 1 << 5) << "output F";

  driver.DoubleClick("button_limit");
  EXPECT_EQ(harness.Text("label_window_linit_title"), "Limiter - OUT F");
  EXPECT_FALSE(Curve("liner_limit").IsEnabled()) << "the curve waits for the switch";
  EXPECT_EQ(harness.Text("checkbox_limit_enable"), "Limiter:OFF");
  driver.Click("checkbox_limit_enable");
  const auto limiter = SentNow(kLimiterCommand);
  ASSERT_EQ(limiter.size(), 1u);
  EXPECT_EQ(limiter[0][7], 1 << 5);
  EXPECT_EQ(harness.Text("checkbox_limit_enable"), "Limiter:ON");
  EXPECT_TRUE(Curve("liner_limit").IsEnabled());
  for (const char* box : {"checkbox_noise_gate_1", "checkbox_comp_5", "checkbox_limit_5"}) {
    EXPECT_TRUE(harness.Check(box)) << box;
  }
  for (int ch = 0; ch < 8; ++ch) {
    EXPECT_EQ(Shown().NoiseGateEnable(ch), ch == 1) << ch;
    EXPECT_EQ(Shown().CompressorEnable(ch), ch == 5) << ch;
  }
}

TEST_F(DynamicsPagesTest, SlidersKeysAndTheCurveEachChangeTheirOwnParameter) {
  SelectNamed("Hall");
  driver.DoubleClick("button_noise_gate");
  driver.Click("checkbox_noise_gate_enable");
  driver.Get<Slider>("slider_noise_gate_start_gate").SetValue(-45);
  harness.Raise("slider_noise_gate_start_gate", "valuechanged");
  EXPECT_EQ(Shown().NoiseGateStartGate(0), -45);
  EXPECT_EQ(harness.Text("edit_noise_gate_start_gate"), "-45");
  EXPECT_EQ(Curve("liner_noise_gate").Value(), (CurvePoint{-45, -45}));

  Wait();
  driver.Key("edit_noise_gate_release_gate", UiKey::kDown);
  EXPECT_EQ(Shown().NoiseGateReleaseGate(0), -1) << "the second key came too soon";
  driver.Key("liner_noise_gate", UiKey::kRight);
  EXPECT_EQ(Shown().NoiseGateStartGate(0), -44);
  EXPECT_EQ(harness.Value("slider_noise_gate_start_gate"), -44);
  const auto frames = SentNow(kNoiseGateCommand);
  ASSERT_EQ(frames.size(), 1u) << "one frame for the burst";
  EXPECT_EQ(frames[0][7], 200 - 44);
  EXPECT_EQ(frames[0][8], 200 - 1);
}

TEST_F(DynamicsPagesTest, OverviewBlocksShowThresholdsAndTheirCurvesOpenThePages) {
  Processor(0).limiters[2] = {true, -12, 80};
  SelectNamed("Hall");
  EXPECT_EQ(harness.Text("button_limit_start_gate_2"), "-12 dB");
  EXPECT_EQ(harness.Text("button_noise_gate_start_gate_0"), "OFF");
  const LinerScene limiter = Curve("liner_limit_2").Scene();
  ASSERT_EQ(limiter.curve.size(), 2u);
  EXPECT_EQ(limiter.curve[1].from.y, limiter.curve[1].to.y) << "flat above the threshold";
  const LinerScene gate = Curve("liner_noise_gate_0").Scene();
  EXPECT_EQ(gate.curve.back(), (CurveLine{{gate.plot.left, gate.plot.bottom}, {gate.plot.right, gate.plot.top}}))
      << "a gate that is off passes everything: the unity line";

  driver.Click("liner_limit_2");
  EXPECT_TRUE(harness.Visible("window_limit"));
  EXPECT_EQ(harness.Text("label_window_linit_title"), "Limiter - OUT C");
  EXPECT_EQ(harness.Text("edit_limit_release_time"), "80");
  driver.Type("edit_limit_start_gate", "-6");
  driver.DoubleClick("button_home");
  EXPECT_EQ(harness.Text("button_limit_start_gate_2"), "-6 dB");
  driver.Click("checkbox_comp_all");
  EXPECT_EQ(harness.Text("button_comp_start_gate_7"), "0.0 dB");
}

// A processor set beyond the page's sliders (by other means) keeps those
// values through edits of everything else, in its record and on the bus.
TEST_F(DynamicsPagesTest, AValueThePageCannotShowIsShownAsANumberAndKeptUntilTheUserChangesIt) {
  Processor(0).limiters[0] = {true, -100, 90};
  Processor(0).compressors[0].on = true;
  Processor(0).compressors[0].ratio_raw = 300;
  SelectNamed("Hall");
  driver.DoubleClick("button_limit");
  EXPECT_EQ(harness.Text("edit_limit_start_gate"), "-100");
  EXPECT_EQ(harness.Value("slider_limit_start_gate"), -60);
  EXPECT_TRUE(Curve("liner_limit").Scene().curve.empty()) << "no point the axes cannot hold";
  harness.Raise("edit_limit_start_gate", "killfocus");
  driver.Type("edit_limit_start_gate", "-100");
  driver.Key("liner_limit", UiKey::kUp);
  EXPECT_TRUE(SentNow(kLimiterCommand).empty());
  driver.Type("edit_limit_release_time", "50");
  const auto frames = SentNow(kLimiterCommand);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0][8], 200 - 100) << "the threshold as it was";
  EXPECT_EQ(Shown().LimitStartGate(0), -100);

  driver.DoubleClick("button_comp");
  EXPECT_EQ(harness.Text("edit_comp_ratio"), "30");
  EXPECT_FALSE(Curve("liner_comp").RatioShown());
  driver.Key("liner_comp", UiKey::kDown);
  EXPECT_EQ(Shown().CompressorStartGate(0), 10) << "the threshold moved a dB down";
  EXPECT_EQ(Shown().CompressorRatio(0), 30) << "the ratio it could not show stays";
}

// English curves keep the skin's blank titles.
TEST_F(DynamicsPagesTest, SwitchCaptionsAndCurveTitlesInChinese) {
  EXPECT_EQ(Curve("liner_comp").YText(), "       ");
  EXPECT_EQ(Curve("liner_comp").XText(), "     ");
  Start(kChinese);
  Scan();
  SelectNamed("Lobby");
  driver.DoubleClick("button_limit");
  EXPECT_EQ(harness.Text("label_window_linit_title"), "限幅器 - OUT A");
  EXPECT_EQ(harness.Text("checkbox_limit_enable"), "限幅器:关");
  driver.Click("checkbox_limit_enable");
  EXPECT_EQ(harness.Text("checkbox_limit_enable"), "限幅器:开");
  for (const char* curve : {"liner_comp", "liner_limit", "liner_noise_gate"}) {
    EXPECT_EQ(Curve(curve).YText(), "输出") << curve;
    EXPECT_EQ(Curve(curve).XText(), "输入") << curve;
  }
}

}  // namespace
}  // namespace dsp::test
