// The main window's skin, view/MainWindow.xml, loaded through the platform
// layer on a bare window: every control the program addresses by name is
// there with the right type (names from the program's own tables where it
// has them), the sliders stay within what the frames can carry, the product
// constants read back as the simulated processors need them, and the
// fitting to a smaller processor keeps the overview aligned.
#include <gtest/gtest.h>

#include <QApplication>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/label_table.h"
#include "app/pages/dynamics_kinds.h"
#include "app/pages/page_list.h"
#include "controls/knob_control.h"
#include "controls/liner_control.h"
#include "model/configuration.h"
#include "model/third_octave.h"
#include "persist/configuration_reader.h"
#include "platform/button.h"
#include "platform/check_box.h"
#include "platform/combo.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/list.h"
#include "platform/slider.h"
#include "platform/tree_view.h"
#include "platform/ui_setup.h"
#include "sim/level_model.h"
#include "sim/sim_processor.h"
#include "skin_preview/preview_window.h"

namespace dsp {
namespace {

using Names = std::vector<std::string>;

Names Channels(const std::string& base, int count = 8) {
  Names names;
  for (int k = 0; k < count; ++k) names.push_back(base + "_" + std::to_string(k));
  return names;
}

Names ChannelsAndAll(const std::string& base) {
  Names names = Channels(base);
  names.push_back(base + "_all");
  return names;
}

Names Join(std::initializer_list<Names> parts) {
  Names all;
  for (const Names& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Both sides of a name pattern with "%s" for "input" / "output".
Names BothSides(const Names& patterns) {
  Names names;
  for (const char* side : {"input", "output"}) {
    for (const std::string& pattern : patterns) {
      std::string name = pattern;
      name.replace(name.find("%s"), 2, side);
      names.push_back(name);
    }
  }
  return names;
}

Names Prefixed(const std::string& prefix, const Names& names) {
  Names all;
  for (const std::string& name : names) all.push_back(prefix + name);
  return all;
}

Names MatrixCells() {
  Names names;
  for (char in = 'a'; in <= 'h'; ++in) {
    for (int out = 1; out <= 8; ++out) names.push_back(std::string("button_in_") + in + "_out_" + std::to_string(out));
  }
  return names;
}

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

TEST_F(MainSkinTest, ButtonsOfTheDispatchTableExist) {
  ExpectAll<Button>({"button_close", "button_minimize", "button_maximize", "button_normal", "button_file",
                     "button_option", "button_debug", "button_scan", "button_set", "button_pink_noise_play",
                     "button_pink_noise_stop", "button_router_clear", "button_router_reset",
                     "button_matrix_mix_in_home", "button_input_delay_reset", "button_output_delay_reset"});
  ExpectAll<Button>(BothSides({"button_%s_eq_copy", "button_%s_eq_paste", "button_%s_eq_reset", "button_%s_eq_left",
                               "button_%s_eq_right"}));
  ExpectAll<Button>(Join({Channels("button_comp"), Channels("button_comp_start_gate"), Channels("button_input_delay"),
                          Channels("button_input_delay_value"), Channels("button_input_eq"), Channels("button_limit"),
                          Channels("button_limit_start_gate"), Channels("button_noise_gate"),
                          Channels("button_noise_gate_start_gate"), Channels("button_output_eq"),
                          Channels("button_output_delay"), Channels("button_output_delay_value"),
                          Channels("button_input_delay_reset"), Channels("button_output_delay_reset")}));
  ExpectAll<Button>(MatrixCells());
}

TEST_F(MainSkinTest, CheckBoxesOfTheDispatchTableExist) {
  ExpectAll<CheckBox>(Join({ChannelsAndAll("checkbox_comp"), ChannelsAndAll("checkbox_limit"),
                            ChannelsAndAll("checkbox_noise_gate"), ChannelsAndAll("checkbox_delay_input"),
                            ChannelsAndAll("checkbox_delay_output"), ChannelsAndAll("checkbox_eq_enable_input"),
                            ChannelsAndAll("checkbox_eq_enable_output"), ChannelsAndAll("checkbox_mute_input"),
                            ChannelsAndAll("checkbox_mute_output"), ChannelsAndAll("checkbox_polarity_input"),
                            ChannelsAndAll("checkbox_polarity_output"), Channels("checkbox_input_delay"),
                            Channels("checkbox_output_delay"), Channels("checkbox_input_eq", 11),
                            Channels("checkbox_output_eq", 11), Channels("checkbox_input_delay_unit", 3),
                            Channels("checkbox_output_delay_unit", 3)}));
  ExpectAll<CheckBox>({"checkbox_comp_enable", "checkbox_limit_enable", "checkbox_noise_gate_enable",
                       "checkbox_hide_device_list", "checkbox_input_delay", "checkbox_output_delay",
                       "checkbox_mute_input", "checkbox_mute_output", "checkbox_polarity_input",
                       "checkbox_polarity_output", "checkbox_input_muted", "checkbox_output_muted",
                       "checkbox_input_polarity", "checkbox_output_polarity"});
  ExpectAll<CheckBox>(BothSides({"checkbox_%s_eq_bypass", "checkbox_%s_eq_enable", "checkbox_%s_eq_show_control",
                                 "checkbox_%s_high_pass_enable", "checkbox_%s_low_pass_enable"}));
}

TEST_F(MainSkinTest, EditsSlidersAndCombosOfTheDispatchTableExist) {
  const Names dynamics = {"comp_ratio",          "comp_release_time",      "comp_start_gate",
                          "comp_start_time",     "limit_release_time",     "limit_start_gate",
                          "noise_gate_release_gate", "noise_gate_release_time", "noise_gate_start_gate",
                          "noise_gate_start_time", "router_volume"};
  ExpectAll<Edit>(Prefixed("edit_", dynamics));
  ExpectAll<Slider>(Prefixed("slider_", dynamics));
  ExpectAll<Edit>(Join({Channels("edit_input_delay"), Channels("edit_output_delay"), Channels("edit_gain_input"),
                        Channels("edit_gain_output")}));
  ExpectAll<Slider>(Join({Channels("slider_input_delay"), Channels("slider_output_delay"), Channels("slider_gain_input"),
                          Channels("slider_gain_output"), Channels("slider_energy_input"),
                          Channels("slider_energy_output")}));
  ExpectAll<Edit>(BothSides({"edit_%s_eq_frequence", "edit_%s_eq_gain", "edit_%s_eq_q", "edit_%s_high_pass_frequence",
                             "edit_%s_low_pass_frequence"}));
  ExpectAll<Combo>(BothSides({"combo_%s_eq_type", "combo_%s_high_pass_type", "combo_%s_low_pass_type"}));
}

TEST_F(MainSkinTest, ChannelListsAndTheDeviceTreeExist) {
  ExpectAll<List>(Join({Channels("list_input"), Channels("list_output")}));
  ExpectAll<ListHeaderItem>(Join({Channels("list_header_item_input"), Channels("list_header_item_output")}));
  ExpectAll<ListItem>(Join({Channels("list_item_input"), Channels("list_item_output")}));
  for (int k = 0; k < 8; ++k) {
    for (const char* side : {"input", "output"}) {
      const std::string suffix = std::string(side) + "_" + std::to_string(k);
      EXPECT_TRUE(Inside(W().FindControl("list_header_item_" + suffix), W().FindControl("list_" + suffix))) << suffix;
      EXPECT_TRUE(Inside(W().FindControl("list_item_" + suffix), W().FindControl("list_" + suffix))) << suffix;
    }
  }
  ExpectAll<TreeView>({"treeview_device_list"});
  ExpectAll<TreeNode>({"treenode_device"});
  EXPECT_EQ(W().FindControl("treenode_device")->Text(), "Device");
}

// A device node is built from the root's attribute lists: each must apply to
// its kind of control and give the base name the program appends "_i" to.
TEST_F(MainSkinTest, DeviceNodeStylesBuildTheNamedChildren) {
  const Control* root = W().FindControl("treenode_device");
  auto style = [&](const char* attribute) {
    auto list = root->CustomAttribute(attribute);
    EXPECT_TRUE(list.has_value()) << "treenode_device has no " << attribute;
    return list.value_or("");
  };
  auto built = [](std::unique_ptr<Control> control, const std::string& list) {
    control->ApplyAttributeList(list);
    return control;
  };
  EXPECT_EQ(built(std::make_unique<Edit>(), style("editstyle"))->Name(), "edit_device_name");
  EXPECT_EQ(built(std::make_unique<Label>(), style("labeltipsstyle"))->Name(), "label_tips");
  EXPECT_EQ(built(std::make_unique<CheckBox>(), style("checkboxstyle"))->Name(), "checkbox_connect_status");
  EXPECT_EQ(built(std::make_unique<Button>(), style("buttoncirclestyle"))->Name(), "button_circle");
  // The program keeps the skin's sync hint in Chinese and sets the English.
  auto circle = built(std::make_unique<Label>(), style("labelcirclestyle"));
  EXPECT_EQ(circle->Name(), "label_circle");
  EXPECT_EQ(circle->Text(), "点击同步参数");
  EXPECT_FALSE(built(std::make_unique<Label>(), style("labelstyle"))->Name().empty());
  EXPECT_FALSE(built(std::make_unique<Button>(), style("buttondeletestyle"))->Name().empty());
  EXPECT_NO_THROW(built(std::make_unique<TreeNode>(), style("treenodestyle")));
}

TEST_F(MainSkinTest, HideSwitchNamesAnExistingPanelOutsideItself) {
  const Control* hide = W().FindControl("checkbox_hide_device_list");
  const std::string hidden = hide->CustomAttribute("hidecontrols").value_or("");
  ASSERT_EQ(hidden, "device");
  const Control* panel = W().FindControl("device");
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(Inside(W().FindControl("treeview_device_list"), panel));
  EXPECT_FALSE(Inside(hide, panel)) << "the switch would hide itself";
}

TEST_F(MainSkinTest, LayoutFamiliesOfTheFittingExist) {
  Names families;
  for (const char* side : {"input", "output"}) {
    const std::string s = side;
    for (const std::string& family : {"layout_energy_" + s, "layout_" + s, "layout_home_" + s, "layout_mix_" + s}) {
      for (const std::string& name : Channels(family)) families.push_back(name);
    }
    for (const char* delay : {"control", "image", "label", "unit_cm", "unit_ft", "unit_ms", "on", "reset"}) {
      const std::string family = "layout_" + s + "_delay_" + delay;
      for (const std::string& name : Channels(family)) families.push_back(name);
      families.push_back(family + "_hide");
    }
    for (const char* unit : {"ft", "cm", "ms"}) families.push_back("layout_" + s + "_delay_unit_" + unit);
  }
  for (const std::string& name : Join({Channels("layout_home"), Channels("layout_home_hide")})) families.push_back(name);
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 8; ++c) families.push_back("layout_mix_input_" + std::to_string(r) + "_output_" + std::to_string(c));
  }
  families.push_back("layout_mix_input_hide");
  ExpectAll<Control>(families);
  // Fillers stand in for missing channels only; the overview starts with all.
  for (const std::string& name : families) {
    if (name.find("hide") == std::string::npos) continue;
    EXPECT_FALSE(W().FindControl(name)->IsVisible()) << name;
  }
}

TEST_F(MainSkinTest, ControlsOfTheLabelTableAndPageTitlesExist) {
  for (const auto& [name, texts] : LabelTable()) EXPECT_NE(W().FindControl(name), nullptr) << name;
  ExpectAll<Label>({"label_window_name", "label_router_volume_selected", "label_window_linit_title"});
  ExpectAll<Label>(BothSides({"Label_%s_eq_show_0", "Label_%s_eq_show_10", "label_%s_eq_selected"}));
  ExpectAll<Label>(Join({Channels("label_energy_input"), Channels("label_energy_output")}));
  ExpectAll<Label>(Prefixed("label_window_", {"input_title", "noise_gate_title", "input_eq_title", "output_eq_title",
                                              "comp_title", "output_title", "energy_title"}));
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
    for (const std::string& name : Channels(*kind->overview_curve)) {
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
      const std::string name = std::string(side == 0 ? "config_reset_frequency_input_" : "config_reset_frequency_output_") +
                               std::to_string(k);
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

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  if (const std::string error = dsp::SetUpToolkit(app, dsp::UiOptions{}); !error.empty()) {
    fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return result;
}
