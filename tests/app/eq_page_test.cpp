// The equaliser pages with real clicks, keys, typing and drags on the
// graph: the record, the controls and the frames.
#include "controls/eq_graph.h"
#include "link/frame.h"
#include "page_edits_fixture.h"
#include "platform/testing/screenshot.h"

namespace dsp::test {
namespace {

constexpr std::uint8_t kBandCommand = 0x0A;
constexpr std::uint8_t kHighPassCommand = 0x1B;
constexpr std::uint8_t kLowPassCommand = 0x1C;

struct BandFrame {
  int band;
  bool on;
  int gain;
  int hz;
  int q;
};

BandFrame Decode(const Bytes& frame) {
  auto u16 = [&](std::size_t at) { return frame[at] | frame[at + 1] << 8; };
  return {frame[6], frame[7] != 0, u16(8) - 25600, u16(10), u16(12)};
}

class EqPageTest : public PageEditsTest {
 protected:
  void SetUp() override {
    PageEditsTest::SetUp();
    hall_position_ = SelectNamed("Hall");
  }
  const DeviceRecord& Hall() { return Shown(); }
  // Frames of `command` sent since the last call; `settle` lets the pending
  // writes go out first.
  std::vector<Bytes> Sent(std::uint8_t command, bool settle = true) {
    if (settle) return SentNow(command);
    std::vector<Bytes> frames;
    for (std::size_t i = std::exchange(mark_, link.sent.size()); i < link.sent.size(); ++i) {
      if (link.sent[i][kOffsetCommand] == command) frames.push_back(link.sent[i]);
    }
    return frames;
  }
  std::vector<std::string> Captions(const std::string& side) {
    std::vector<std::string> captions;
    for (int column = 0; column < 11; ++column) {
      captions.push_back(harness.Text("Label_" + side + "_eq_show_" + std::to_string(column)));
    }
    return captions;
  }
  static std::vector<std::string> Numbers(int first) {
    std::vector<std::string> numbers;
    for (int band = first; band < first + 11; ++band) numbers.push_back(std::to_string(band));
    return numbers;
  }
  EqGraph& Graph(const std::string& side) { return driver.Get<EqGraph>("graph_" + side + "_eq"); }
  // Runs the window again in Chinese with Hall selected, as after a language switch.
  void RestartInChinese() {
    Start(kChinese);
    Scan();
    Select(hall_position_);
  }

  int hall_position_ = 0;
};

TEST_F(EqPageTest, TheArrowsPageTheColumnsAColumnSwitchesItsBandAndTheHandlesHide) {
  driver.Click("button_input_eq_0");
  EXPECT_EQ(Captions("input"), Numbers(1));
  const std::vector<std::vector<std::string>> after_right = {Numbers(12), Numbers(21), Numbers(21)};
  for (const auto& expected : after_right) {
    driver.Click("button_input_eq_right");
    EXPECT_EQ(Captions("input"), expected);
  }
  driver.Click("button_input_eq_left");
  EXPECT_EQ(Captions("input"), Numbers(12));
  driver.Click("checkbox_input_eq_3");
  EXPECT_TRUE(Hall().EqualizerEnable(kInputSide, 0, 14));
  EXPECT_TRUE(harness.Check("checkbox_eq_enable_input_0")) << "the overview's switch follows";
  driver.Click("button_input_eq_left");
  EXPECT_EQ(Captions("input"), Numbers(1));
  EXPECT_FALSE(harness.Check("checkbox_input_eq_3"));
  const auto frames = Sent(kBandCommand);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(Decode(frames[0]).band, 14);
  EXPECT_TRUE(Decode(frames[0]).on);
  EXPECT_EQ(Graph("input").Model().Band(14).on, true);
  driver.Click("checkbox_input_eq_show_control");
  for (int band = 0; band < kEqBands; ++band) EXPECT_TRUE(Graph("input").Model().BandHidden(band));
  driver.Click("checkbox_input_eq_show_control");
  EXPECT_FALSE(Graph("input").Model().BandHidden(30));
}

TEST_F(EqPageTest, TypedValuesAreTruncatedToHundredthsAndHeldWithinTheirRanges) {
  driver.Click("button_output_eq_1");
  struct Row {
    const char* edit;
    const char* typed;
    int stored;
    const char* shown;
  };
  const Row rows[] = {{"edit_output_eq_gain", "2.345", 234, "2.3"},   {"edit_output_eq_gain", "2.3", 234, "2.3"},
                      {"edit_output_eq_gain", "12.345", 1200, "12.0"}, {"edit_output_eq_gain", "-20", -1200, "-12.0"},
                      {"edit_output_eq_gain", "2.3", 230, "2.3"},
                      {"edit_output_eq_gain", "-4.56 dB", -456, "-4.6"}, {"edit_output_eq_gain", "abc", -456, "-4.6"},
                      {"edit_output_eq_q", "0.3", 50, "0.5"},          {"edit_output_eq_q", "300", 12800, "128.0"},
                      {"edit_output_eq_q", "4.71", 471, "4.7"},        {"edit_output_eq_frequence", "5", 20, "20"},
                      {"edit_output_eq_frequence", "99999", 20000, "20000"},
                      {"edit_output_eq_frequence", "1234", 1234, "1234"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.edit) + " " + row.typed);
    driver.Type(row.edit, row.typed);
    const std::string edit = row.edit;
    const int stored = edit.ends_with("gain")   ? Hall().EqualizerGain(kOutputSide, 1, 0)
                       : edit.ends_with("_q") ? Hall().EqualizerQ(kOutputSide, 1, 0)
                                              : Hall().EqualizerFrequence(kOutputSide, 1, 0);
    EXPECT_EQ(stored, row.stored);
    EXPECT_EQ(harness.Text(row.edit), row.shown);
  }
  driver.Select("combo_output_eq_type", 2);
  EXPECT_EQ(Hall().EqualizerType(kOutputSide, 1, 0), 7);
  Wait();
  driver.Key("edit_output_eq_gain", UiKey::kUp);
  driver.Key("edit_output_eq_gain", UiKey::kUp);
  EXPECT_EQ(Hall().EqualizerGain(kOutputSide, 1, 0), -446) << "the second key came too soon";
  driver.Wheel("edit_output_eq_q", false);
  EXPECT_EQ(Hall().EqualizerQ(kOutputSide, 1, 0), 461);
  const auto frames = Sent(kBandCommand);
  ASSERT_EQ(frames.size(), 1u) << "one write for the burst";
  EXPECT_EQ(frames[0][5], 0x15);
  EXPECT_EQ(frames[0][14], 1 << 1);
  EXPECT_EQ(frames[0][16], 7);
  const BandFrame sent = Decode(frames[0]);
  EXPECT_EQ(sent.gain, -446);
  EXPECT_EQ(sent.q, 461);
  EXPECT_EQ(sent.hz, 1234);
}

TEST_F(EqPageTest, BypassAllSwitchesEveryBandAndLeavesEqPassOnTheGraph) {
  driver.Click("button_input_eq_2");
  EXPECT_TRUE(harness.Check("checkbox_input_eq_bypass")) << "every band is off";
  EXPECT_FALSE(Graph("input").Model().AnyBandOn());
  driver.Click("checkbox_input_eq_bypass");
  EXPECT_TRUE(Graph("input").Model().AnyBandOn());
  EXPECT_TRUE(Hall().EqualizerEnable(kInputSide, 2, 30));
  EXPECT_EQ(harness.Text("checkbox_input_eq_enable"), "ON");
  EXPECT_EQ(Sent(kBandCommand).size(), 31u);
  driver.Click("checkbox_input_eq_bypass");
  for (int band = 0; band < kEqBands; ++band) EXPECT_FALSE(Hall().EqualizerEnable(kInputSide, 2, band));
  EXPECT_FALSE(Graph("input").Model().AnyBandOn()) << "the graph says EQ PASS";
  EXPECT_FALSE(harness.Check("checkbox_eq_enable_input_2"));
  EXPECT_EQ(harness.Text("checkbox_input_eq_enable"), "OFF");
  EXPECT_EQ(Sent(kBandCommand).size(), 31u);
}

TEST_F(EqPageTest, CopyOnAnInputPastesItsBandsOnAnOutputAndLeavesTheFiltersThere) {
  driver.Click("button_output_eq_2");
  driver.Click("button_output_eq_paste");
  EXPECT_TRUE(Sent(kBandCommand).empty()) << "nothing was copied yet";
  driver.Click("checkbox_output_high_pass_enable");
  driver.Type("edit_output_high_pass_frequence", "80");
  driver.Click("button_close_output_eq");

  driver.Click("button_input_eq_1");
  driver.Type("edit_input_eq_gain", "-6.5");
  driver.Type("edit_input_eq_q", "2");
  driver.Click("checkbox_input_eq_enable");
  driver.Click("button_input_eq_right");
  driver.Click("checkbox_input_eq_9");
  driver.Click("button_input_eq_copy");
  driver.Click("button_close_input_eq");
  Sent(kBandCommand);

  driver.Click("button_output_eq_2");
  driver.Click("button_output_eq_paste");
  const auto frames = Sent(kBandCommand);
  EXPECT_EQ(frames.size(), 31u);
  for (int band = 0; band < kEqBands; ++band) {
    EXPECT_EQ(Hall().EqualizerEnable(kOutputSide, 2, band), Hall().EqualizerEnable(kInputSide, 1, band));
    EXPECT_EQ(Hall().EqualizerGain(kOutputSide, 2, band), Hall().EqualizerGain(kInputSide, 1, band));
    EXPECT_EQ(Hall().EqualizerQ(kOutputSide, 2, band), Hall().EqualizerQ(kInputSide, 1, band));
  }
  EXPECT_TRUE(Hall().EqualizerEnable(kOutputSide, 2, 20));
  EXPECT_EQ(Hall().EqualizerGain(kOutputSide, 2, 0), -650);
  EXPECT_TRUE(Hall().FilterEnable(kOutputSide, 2, kHighPass)) << "the filters stay";
  EXPECT_EQ(Hall().FilterFrequence(kOutputSide, 2, kHighPass), 80);
  EXPECT_EQ(harness.Text("edit_output_eq_gain"), "-6.5");
  EXPECT_TRUE(Sent(kHighPassCommand).empty());
}

TEST_F(EqPageTest, ResetPutsEveryBandBackFlatAndOffAtItsFrequency) {
  driver.Click("button_output_eq_0");
  driver.Type("edit_output_eq_frequence", "777");
  driver.Type("edit_output_eq_gain", "3");
  driver.Select("combo_output_eq_type", 1);
  driver.Click("checkbox_output_eq_bypass");
  driver.Click("checkbox_output_low_pass_enable");
  Sent(kBandCommand);
  driver.Click("button_output_eq_reset");
  EXPECT_EQ(Sent(kBandCommand).size(), 31u);
  for (int band = 0; band < kEqBands; ++band) {
    EXPECT_FALSE(Hall().EqualizerEnable(kOutputSide, 0, band));
    EXPECT_EQ(Hall().EqualizerFrequence(kOutputSide, 0, band), kThirdOctaveFrequencies[band]);
    EXPECT_EQ(Hall().EqualizerGain(kOutputSide, 0, band), 0);
    EXPECT_EQ(Hall().EqualizerQ(kOutputSide, 0, band), 100);
    EXPECT_EQ(Hall().EqualizerType(kOutputSide, 0, band), 1);
  }
  EXPECT_TRUE(Hall().FilterEnable(kOutputSide, 0, kLowPass)) << "filters are not reset";
  EXPECT_EQ(harness.Text("edit_output_eq_frequence"), "20");
}

// No frame carries an input's filters or the gate's times: their controls
// show the stored values but cannot be changed, and say why in the
// interface's language; the input graph has no filter handles.
TEST_F(EqPageTest, ControlsTheProcessorDoesNotTakeAreDisabledAndSaySo) {
  const char* const controls[] = {"checkbox_input_high_pass_enable", "edit_input_high_pass_frequence",
                                  "combo_input_high_pass_type",      "checkbox_input_low_pass_enable",
                                  "edit_input_low_pass_frequence",   "combo_input_low_pass_type",
                                  "slider_noise_gate_start_time",    "edit_noise_gate_start_time",
                                  "slider_noise_gate_release_time",  "edit_noise_gate_release_time"};
  for (const Language language : {kEnglish, kChinese}) {
    SCOPED_TRACE(static_cast<int>(language));
    if (language == kChinese) RestartInChinese();
    driver.Click("button_input_eq_1");
    driver.DoubleClick("button_noise_gate");
    for (const char* name : controls) {
      EXPECT_FALSE(driver.Get(name).IsEnabled()) << name;
      EXPECT_EQ(driver.Get(name).toolTip().toStdString(), Pick(language, text::kNotTaken)) << name;
    }
    const DeviceRecord& hall = window->Devices()[static_cast<std::size_t>(hall_position_)];
    EXPECT_EQ(harness.Text("edit_input_high_pass_frequence"),
              std::to_string(hall.FilterFrequence(kInputSide, 1, kHighPass)));
    EXPECT_FALSE(Graph("input").NamedPoint("high_pass"));
    EXPECT_FALSE(Graph("input").NamedPoint("low_pass"));
    EXPECT_TRUE(Graph("output").NamedPoint("high_pass"));
    EXPECT_TRUE(driver.Get("edit_output_high_pass_frequence").IsEnabled());
  }
  EXPECT_TRUE(Sent(kHighPassCommand).empty());
  EXPECT_TRUE(Sent(kLowPassCommand).empty());
}

// A refused filter list names the file, the line and the reason in either
// language, and imports nothing.
TEST_F(EqPageTest, ARefusedFilterListSaysItsLineAndReasonInBothLanguages) {
  const std::string list = dir.File("room.txt");
  testing::WriteText(list,
                     "Room EQ\nFilter 1: ON PK Fc 100 Hz Gain 1 dB Q 1\nFilter 2: ON PK Fc 100 Hz Gain 13.0 dB Q 1\n");
  const struct {
    Language language;
    std::string says;
  } cases[] = {{kEnglish, list + ", line 3: gain 13.0 is outside -12..12 dB; nothing was imported"},
               {kChinese, list + "，第 3 行：增益 13.0 超出范围 -12..12 dB；未导入任何内容。"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.language));
    if (c.language == kChinese) RestartInChinese();
    driver.Click("button_output_eq_0");
    harness.Dialogs().AnswerNextFile(list);
    harness.Dialogs().AnswerNextMessage(kIdOk);
    driver.Click("button_output_eq_import");
    EXPECT_EQ(LastMessage(), c.says);
  }
  EXPECT_TRUE(Sent(kBandCommand).empty());
}

TEST_F(EqPageTest, FiltersTakeTheirSwitchTypeAndFrequency) {
  driver.Click("button_output_eq_3");
  driver.Click("checkbox_output_low_pass_enable");
  driver.Select("combo_output_low_pass_type", 17);
  driver.Type("edit_output_low_pass_frequence", "8000");
  Wait();
  driver.Key("edit_output_low_pass_frequence", UiKey::kDown);
  EXPECT_TRUE(Hall().FilterEnable(kOutputSide, 3, kLowPass));
  EXPECT_EQ(Hall().FilterType(kOutputSide, 3, kLowPass), 2);
  EXPECT_EQ(Hall().FilterSlope(kOutputSide, 3, kLowPass), 3);
  EXPECT_EQ(Hall().FilterFrequence(kOutputSide, 3, kLowPass), 7999);
  EXPECT_EQ(Graph("output").Model().LowPass().frequency, 7999);
  const auto frames = Sent(kLowPassCommand);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0][7], 3) << "the channel";
  driver.Select("combo_output_high_pass_type", 9);
  EXPECT_EQ(Hall().FilterType(kOutputSide, 3, kHighPass), 1);
  EXPECT_EQ(Hall().FilterSlope(kOutputSide, 3, kHighPass), 1);
}

TEST_F(EqPageTest, ADraggedHandleIsSentAtOnceAndTheProcessorEndsWhereItWasLetGo) {
  driver.Click("button_input_eq_0");
  Capture(&Graph("input"));  // a paint places the handles
  driver.Drag("graph_input_eq", *Graph("input").NamedPoint("band18"), {2, 2});
  EXPECT_EQ(harness.Text("label_input_eq_selected"), "EQ 18");
  EXPECT_EQ(Hall().EqualizerFrequence(kInputSide, 0, 17), 20) << "dragged to the left edge";
  EXPECT_EQ(Hall().EqualizerGain(kInputSide, 0, 17), 1200) << "and above the top";
  EXPECT_EQ(harness.Text("edit_input_eq_gain"), "12.0");
  const auto at_once = Sent(kBandCommand, false);
  ASSERT_EQ(at_once.size(), 1u) << "the first move goes out at once, the rest within 30 ms wait";
  EXPECT_EQ(Decode(at_once[0]).band, 17);
  const auto settled = Sent(kBandCommand);
  ASSERT_EQ(settled.size(), 1u);
  EXPECT_EQ(Decode(settled[0]).hz, 20);
  EXPECT_EQ(Decode(settled[0]).gain, 1200);

  driver.Wheel("graph_input_eq", true);
  EXPECT_EQ(Hall().EqualizerQ(kInputSide, 0, 17), 110);
  EXPECT_EQ(harness.Text("edit_input_eq_q"), "1.1");
  EXPECT_EQ(Sent(kBandCommand, false).size(), 1u) << "30 ms after the drag: at once";
  driver.Click("edit_input_eq_frequence");
  EXPECT_EQ(Graph("input").Model().SelectedBand(), -1) << "losing the focus drops the selection";
}

TEST_F(EqPageTest, ArrowKeysOnAFilterHandleMoveTheFilterNotBandZero) {
  driver.Click("button_output_eq_0");
  driver.Click("checkbox_output_high_pass_enable");
  driver.Type("edit_output_high_pass_frequence", "100");
  Capture(&Graph("output"));
  const QPoint handle = *Graph("output").NamedPoint("high_pass");
  driver.Drag("graph_output_eq", handle, handle);
  Sent(kHighPassCommand);
  Sent(kBandCommand);
  const int dragged = Hall().FilterFrequence(kOutputSide, 0, kHighPass);
  EXPECT_NEAR(dragged, 100, 3) << "pressed where it was";
  driver.Key("graph_output_eq", UiKey::kRight);
  EXPECT_EQ(Hall().FilterFrequence(kOutputSide, 0, kHighPass), dragged + 1);
  EXPECT_EQ(harness.Text("edit_output_high_pass_frequence"), std::to_string(dragged + 1));
  EXPECT_EQ(Sent(kHighPassCommand, false).size(), 1u);
  EXPECT_TRUE(Sent(kBandCommand).empty());
}

class EqBandCountTest : public MainWindowTest {};

TEST_F(EqBandCountTest, AScanGivesProcessorsTheBandCountsOfTheGraphsUpTo31) {
  bus.Add("Hall", 8, 8);
  Start();
  driver.Get<EqGraph>("graph_input_eq").SetAttribute("showbandnumber", "32");
  driver.Get<EqGraph>("graph_output_eq").SetAttribute("showbandnumber", "10");
  Scan();
  Select(0);
  const DeviceRecord& hall = window->Devices()[0];
  EXPECT_EQ(hall.EqBandCount(kInputSide), 31) << "32 is not taken";
  EXPECT_EQ(hall.EqBandCount(kOutputSide), 10);
  const std::size_t before = SentWithCommand(kBandCommand).size();
  driver.Click("button_output_eq_0");
  driver.Click("checkbox_output_eq_bypass");
  harness.Advance(150);
  EXPECT_EQ(SentWithCommand(kBandCommand).size() - before, 10u) << "one write per band the processor uses";
  EXPECT_TRUE(hall.EqualizerEnable(kOutputSide, 0, 9));
  EXPECT_FALSE(hall.EqualizerEnable(kOutputSide, 0, 10));
}

}  // namespace
}  // namespace dsp::test
