// The main window's skin, view/MainWindow.xml, loaded through the platform
// layer on a bare window: the pages of the program's tables and the
// controls the pages only write into are there (those whose notifications
// the window handles are checked against its registry), the sliders stay
// within what the frames can carry, the product constants read back as the
// simulated processors need them, and the fitting to a smaller processor
// keeps the overview aligned.
#include <gtest/gtest.h>

#include <QApplication>
#include <QRegularExpression>
#include <algorithm>
#include <string>
#include <vector>

#include "app/control_names.h"
#include "app/label_table.h"
#include "app/pages/dynamics_kinds.h"
#include "app/pages/page_list.h"
#include "controls/knob_control.h"
#include "controls/liner_control.h"
#include "model/configuration.h"
#include "model/third_octave.h"
#include "persist/configuration_reader.h"
#include "platform/button.h"
#include "platform/combo.h"
#include "platform/label.h"
#include "platform/slider.h"
#include "sim/level_model.h"
#include "sim/sim_processor.h"
#include "skin_preview/preview_window.h"

namespace dsp {
namespace {

using Names = std::vector<std::string>;

class SkinSource : public AttributeSource {
 public:
  explicit SkinSource(const Window& window) : window_(window) {}
  std::optional<std::string> Attribute(const std::string& control, const std::string& attribute) const override {
    const Control* found = window_.FindControl(control);
    return found == nullptr ? std::nullopt : found->CustomAttribute(attribute);
  }

 private:
  const Window& window_;
};

class MainSkinTest : public ::testing::Test {
 protected:
  // One window for the whole suite: building the skin is the slow part.
  static void SetUpTestSuite() {
    window_ = new PreviewWindow("view/MainWindow.xml");
    window_->Create(nullptr, "main window skin");
  }
  static void TearDownTestSuite() {
    delete window_;
    window_ = nullptr;
  }

  static Window& W() { return *window_; }

  template <class T>
  static void ExpectAll(const Names& names) {
    for (const std::string& name : names) {
      Control* control = W().FindControl(name);
      if (control == nullptr) {
        ADD_FAILURE() << "no control named " << name;
      } else {
        EXPECT_NE(dynamic_cast<T*>(control), nullptr) << name << " is a " << control->ClassName();
      }
    }
  }

  static bool Inside(const Control* control, const Control* outer) {
    for (const Control* up = control; up != nullptr; up = up->ParentControl()) {
      if (up == outer) return true;
    }
    return false;
  }

  static PreviewWindow* window_;
};

PreviewWindow* MainSkinTest::window_ = nullptr;

// Every page the program opens and closes, through its own page tables.
TEST_F(MainSkinTest, RootAndPagesAreAsTheProgramExpects) {
  EXPECT_EQ(W().Root()->Name(), "main_window");
  EXPECT_TRUE(W().FindControl(kHomeWindow)->IsVisible());
  EXPECT_FALSE(W().FindControl(kDetailWindow)->IsVisible());
  Names buttons;
  for (const auto& [button, page] : PageTable()) {
    buttons.push_back(button);
    if (page.window.empty()) continue;
    Control* window = W().FindControl(page.window);
    ASSERT_NE(window, nullptr) << page.window;
    EXPECT_FALSE(window->IsVisible()) << page.window;
    EXPECT_TRUE(Inside(window, W().FindControl(kDetailWindow))) << page.window;
  }
  for (const auto& [close, button] : CloseButtonTable()) {
    buttons.push_back(close);
    EXPECT_TRUE(Inside(W().FindControl(close), W().FindControl(PageTable().at(button).window))) << close;
  }
  for (const auto& [block, target] : OverviewBlockTable()) EXPECT_NE(W().FindControl(block), nullptr) << block;
  ExpectAll<Button>(buttons);
  EXPECT_TRUE(W().FindControl("button_maximize")->IsVisible());
  EXPECT_FALSE(W().FindControl("button_normal")->IsVisible());
}

// Labels and meters the pages write into; the window handles nothing of them.
TEST_F(MainSkinTest, DisplaysThePagesWriteIntoExist) {
  for (int side = 0; side < 2; ++side) {
    ExpectAll<Label>({SidedName("label_%s_eq_selected", side), SidedName("Label_%s_eq_show_0", side),
                      SidedName("Label_%s_eq_show_10", side)});
    for (int ch = 0; ch < 8; ++ch) {
      ExpectAll<Label>({Channel(SidedName("label_energy_%s", side), ch)});
      ExpectAll<Slider>({Channel(SidedName("slider_energy_%s", side), ch)});
    }
  }
}

// The dynamics pages know what each parameter's frame carries (with the
// offsets at 0, as the skin has them).
TEST_F(MainSkinTest, SlidersSpanWhatTheFramesCarry) {
  for (const DynamicsKind* kind : {&NoiseGateKind(), &CompressorKind(), &LimiterKind()}) {
    for (const DynamicsParameter& parameter : kind->parameters) {
      const Slider* slider = W().Find<Slider>("slider_" + parameter.name);
      ASSERT_NE(slider, nullptr) << parameter.name;
      EXPECT_GE(slider->Min(), parameter.fallback_range.first) << parameter.name;
      EXPECT_LE(slider->Max(), parameter.fallback_range.second) << parameter.name;
    }
  }
}

// Each curve plots output against input on one scale, so its unity line is
// the diagonal, in whole grid cells. The program shows a threshold on it
// as a level (the compressor's, held in tenths of a dB down, negated) and
// only inside the axes, so the axes cover what the threshold slider sets;
// the compressor's ratio range is the ratio slider's, as the curve's
// percent. The overview's small curves share their page curve's axes.
TEST_F(MainSkinTest, CurvesAreTransferCurvesCoveringTheirSliders) {
  for (const DynamicsKind* kind : {&NoiseGateKind(), &CompressorKind(), &LimiterKind()}) {
    SCOPED_TRACE(kind->curve);
    const LinerSettings& axes = W().Find<LinerControl>(kind->curve)->Settings();
    EXPECT_EQ(axes.xmin, axes.ymin);
    EXPECT_EQ(axes.xmax, axes.ymax);
    EXPECT_EQ(axes.xscaleinterval, axes.yscaleinterval);
    ASSERT_GT(axes.xscaleinterval, 0);
    EXPECT_EQ((axes.xmax - axes.xmin) % axes.xscaleinterval, 0);
    const Slider* threshold = W().Find<Slider>("slider_" + kind->parameters[kind->threshold].name);
    const int ends[] = {kind->level_sign * threshold->Min(), kind->level_sign * threshold->Max()};
    EXPECT_LE(axes.xmin, std::min(ends[0], ends[1]));
    EXPECT_GE(axes.xmax, std::max(ends[0], ends[1]));
    if (!kind->overview_curve) continue;
    for (int ch = 0; ch < 8; ++ch) {
      const std::string name = Channel(*kind->overview_curve, ch);
      const LinerSettings& small = W().Find<LinerControl>(name)->Settings();
      EXPECT_EQ(small.type, axes.type) << name;
      EXPECT_EQ(std::pair(small.xmin, small.xmax), std::pair(axes.xmin, axes.xmax)) << name;
      EXPECT_FALSE(small.showcontrol) << name;
    }
  }
  const LinerSettings& compressor = W().Find<LinerControl>("liner_comp")->Settings();
  const Slider* ratio = W().Find<Slider>("slider_comp_ratio");
  EXPECT_EQ(compressor.ratiomin, RatioPercent(ratio->Min()));
  EXPECT_EQ(compressor.ratiomax, RatioPercent(ratio->Max()));
}

TEST_F(MainSkinTest, ProductConstantsReadBackAsTheProcessorsNeedThem) {
  const Configuration config = ReadConfiguration(SkinSource(W()));
  EXPECT_EQ(config.baud, 115200u);
  EXPECT_EQ(config.scan_time_ms, 5000u);
  EXPECT_EQ(config.effect_blocks, kDefaultEffectBlocks);
  EXPECT_EQ(config.energy_full, kLevelFullScale);
  EXPECT_EQ(config.energy_min_db, -96);
  EXPECT_EQ(W().Find<Slider>("slider_energy_input_0")->Min(), config.energy_min_db * 10);
  EXPECT_EQ(config.drc_offset, 0u);
  EXPECT_EQ(config.limit_offset, 0u);
  EXPECT_EQ(config.noisegate_offset, 0u);
  EXPECT_NE(config.pink_noise_address, 0u);
  EXPECT_NE(config.pink_noise_size, 0u);
  EXPECT_LE(config.pink_noise_volume, 255u);
  EXPECT_GT(config.pink_noise_volume, 0u);
  const FrequencyList third_octave(kThirdOctaveFrequencies.begin(), kThirdOctaveFrequencies.end());
  for (int side = 0; side < 2; ++side) {
    for (int k = 0; k < 8; ++k) {
      const std::string name = Channel(SidedName("config_reset_frequency_%s", side), k);
      ASSERT_TRUE(W().FindControl(name) && W().FindControl(name)->CustomAttribute("frequency")) << name;
      EXPECT_EQ(config.reset_frequencies[side][k], third_octave) << name;
    }
  }
}

// Captions the program does not relabel carry their Chinese text; those it
// relabels carry none, so the program's own table stays the only source.
TEST_F(MainSkinTest, ChineseTextsAccompanyTheSkinsOwnCaptions) {
  // Channel names, numbers and units read the same in both languages.
  const QRegularExpression neutral(R"(^[A-Z0-9 .%:/+\-]*( ?(dB|dBv|ms|cm|ft))?$)");
  int checked = 0;
  for (QWidget* widget : W().Root()->findChildren<QWidget*>()) {
    auto* control = dynamic_cast<Control*>(widget);
    // Combos are checked by their item lists below.
    if (control == nullptr || control->Text().empty() || dynamic_cast<Combo*>(control) != nullptr) continue;
    const bool has_chinese = control->CustomAttribute("text_zh").has_value();
    if (LabelTable().contains(control->Name())) {
      EXPECT_FALSE(has_chinese) << control->Name() << " is relabelled by the program";
    } else if (!neutral.match(QString::fromStdString(control->Text())).hasMatch()) {
      EXPECT_TRUE(has_chinese) << control->Name() << " \"" << control->Text() << "\" has no text_zh";
      ++checked;
    }
  }
  EXPECT_GT(checked, 50);
  for (QWidget* widget : W().Root()->findChildren<QWidget*>()) {
    auto* combo = dynamic_cast<Combo*>(widget);
    if (combo == nullptr) continue;
    const std::string items = combo->CustomAttribute("items_zh").value_or("");
    EXPECT_EQ(std::count(items.begin(), items.end(), ',') + 1, combo->ItemCount()) << combo->Name();
  }
}

// With fewer channels the program hides strips and shows fillers; the
// remaining blocks must stay exactly where they are on a full processor.
TEST(MainSkinLayoutTest, FittingAProcessorKeepsTheOverviewAligned) {
  PreviewWindow window("view/MainWindow.xml");
  window.Create(nullptr, "main window skin");
  window.Widget()->resize(1366, 768);
  window.ShowWindow();
  auto rect = [&](const std::string& name) {
    QApplication::processEvents();
    return window.FindControl(name)->RectInWindow();
  };
  const QRect full_gain_a = rect("slider_gain_input_0");
  const QRect full_limit_a = rect("button_limit_0");
  const QRect full_row_a = rect("layout_home_0");
  // A processor with 4 inputs and 2 outputs.
  for (int k = 0; k < 8; ++k) {
    const std::string n = std::to_string(k);
    window.FindControl("layout_home_input_" + n)->SetVisible(k < 4);
    window.FindControl("layout_home_output_" + n)->SetVisible(k < 2);
    window.FindControl("layout_home_" + n)->SetVisible(k < 4);
    window.FindControl("layout_home_hide_" + n)->SetVisible(k < 4);
  }
  EXPECT_EQ(rect("slider_gain_input_0"), full_gain_a);
  EXPECT_EQ(rect("button_limit_0"), full_limit_a);
  EXPECT_EQ(rect("layout_home_0").height(), full_row_a.height());
  EXPECT_EQ(rect("slider_gain_input_3").x(), full_gain_a.x()) << "a row without output moved its input";
  EXPECT_EQ(rect("slider_gain_input_3").width(), full_gain_a.width());
  EXPECT_EQ(rect("layout_home_hide_0").height(), full_row_a.height());
}

// The knob sample for skin authors, through the preview's factory: the
// program's knob, at the values the sample sets.
TEST(KnobSampleTest, TheSampleShowsTheProgramsKnobs) {
  PreviewWindow window("view/KnobSample.xml");
  window.Create(nullptr, "knob sample");
  window.ShowWindow();
  const std::pair<const char*, const char*> knobs[] = {{"knob_gain", "0.0"}, {"knob_pan", "-25.0"},
                                                         {"knob_dial_only", "5.0"}};
  for (const auto& [name, value] : knobs) {
    const auto* knob = window.Find<KnobControl>(name);
    ASSERT_NE(knob, nullptr) << name;
    EXPECT_EQ(knob->ValueText(), value) << name;
  }
  EXPECT_DOUBLE_EQ(window.Find<KnobControl>("knob_pan")->Angle(), -33.75);
}

}  // namespace
}  // namespace dsp
