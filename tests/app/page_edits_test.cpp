// Editing a processor on the overview's strips, the input and output pages,
// the delay pages and the matrix page, with real clicks, keys and typing:
// the record, the controls and the frames.
#include <functional>

#include "page_edits_fixture.h"
#include "platform/slider.h"

namespace dsp::test {
namespace {

TEST_F(PageEditsTest, TypedGainsAreLimitedRoundedShownAndSentOnlyWhenTheyChange) {
  SelectNamed("Hall");
  struct Row {
    const char* typed;
    int stored;
    const char* shown;
  };
  const Row rows[] = {{"10", 600, "6.0"},   {"-70", -6400, "-64.0"}, {"3.5", 350, "3.5"},
                      {"2.35", 240, "2.4"}, {"0.04", 0, "0.0"},      {" +2.4 dB", 240, "2.4"},
                      {"abc", 240, "2.4"},  {"", 240, "2.4"},        {"3,5", 350, "3.5"},
                      {"1x5", 350, "3.5"},  {"2.5.1", 350, "3.5"},   {"1e3", 600, "6.0"},
                      {"-99999999999999999999", -6400, "-64.0"},     {"1e-999", 0, "0.0"},
                      {"1e999 dB", 600, "6.0"},                      {"-12.34", -1230, "-12.3"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    driver.Type("edit_gain_input_1", row.typed);
    EXPECT_EQ(Shown().Gain(kInputSide, 1), row.stored);
    EXPECT_EQ(harness.Text("edit_gain_input_1"), row.shown);
    EXPECT_EQ(harness.Value("slider_gain_input_1"), row.stored);
  }
  SentNow(kGainMuteCommand);
  driver.Type("edit_gain_input_1", "-12.3");
  driver.Type("edit_gain_input_1", "-12.30");
  EXPECT_TRUE(SentNow(kGainMuteCommand).empty()) << "the stored value again changes nothing";
}

TEST_F(PageEditsTest, KeysAndTheWheelStepATenthWithinTheLimitsIgnoringRepeatsUnder51Ms) {
  SelectNamed("Hall");
  driver.Type("edit_gain_output_2", "1.0");
  Wait();
  driver.Key("edit_gain_output_2", UiKey::kUp);
  driver.Key("edit_gain_output_2", UiKey::kRight);
  EXPECT_EQ(Shown().Gain(kOutputSide, 2), 110) << "the second key came too soon";
  Wait();
  driver.Wheel("edit_gain_output_2", false);
  EXPECT_EQ(Shown().Gain(kOutputSide, 2), 100);
  Wait();
  driver.Key("edit_gain_output_2", UiKey::kLeft);
  EXPECT_EQ(harness.Text("edit_gain_output_2"), "0.9");
  driver.Type("edit_gain_output_2", "5.9");
  for (int press = 0; press < 2; ++press) {
    Wait();
    driver.Key("edit_gain_output_2", UiKey::kUp);
  }
  EXPECT_EQ(Shown().Gain(kOutputSide, 2), 600) << "limited to +6.0 dB";
}

TEST_F(PageEditsTest, ADraggedFaderIsFollowedWithinAMillisecondAndItsReleaseAfter100Ms) {
  SelectNamed("Hall");
  auto& fader = driver.Get<Slider>("slider_gain_output_3");
  fader.SetValue(-1200);
  harness.Raise("slider_gain_output_3", "movevaluechanged");
  harness.Advance(1);
  EXPECT_EQ(Shown().Gain(kOutputSide, 3), -1200);
  EXPECT_EQ(harness.Text("edit_gain_output_3"), "-12.0");
  ASSERT_EQ(link.sent.size(), mark_ + 1) << "the drag is written at once";
  EXPECT_EQ(link.sent.back()[kOffsetCommand], kGainMuteCommand);
  mark_ = link.sent.size();

  fader.SetValue(-1300);
  harness.Raise("slider_gain_output_3", "valuechanged");
  harness.Advance(99);
  EXPECT_EQ(link.sent.size(), mark_);
  harness.Advance(1);
  EXPECT_EQ(link.sent.size(), mark_ + 1);
}

// Stage has 4 inputs: "_all" reaches inputs A..D with one write each and
// leaves the strips of inputs it does not have alone; the box is checked
// exactly while every input is muted.
TEST_F(PageEditsTest, AllBoxesActOnTheProcessorsChannelsAndFollowTheirState) {
  SelectNamed("Stage");
  driver.Click("checkbox_mute_input_all");
  const auto frames = SentNow(kGainMuteCommand);
  ASSERT_EQ(frames.size(), 4u);
  for (int ch = 0; ch < 4; ++ch) {
    EXPECT_EQ(frames[static_cast<std::size_t>(ch)][5], ch);
    EXPECT_TRUE(Shown().Mute(kInputSide, ch));
    EXPECT_TRUE(harness.Check("checkbox_mute_input_" + std::to_string(ch)));
  }
  EXPECT_FALSE(Shown().Mute(kInputSide, 4));
  driver.Click("checkbox_mute_input_2");
  EXPECT_FALSE(harness.Check("checkbox_mute_input_all"));
  driver.Click("checkbox_mute_input_2");
  EXPECT_TRUE(harness.Check("checkbox_mute_input_all"));

  driver.Click("checkbox_polarity_output_all");
  EXPECT_EQ(SentNow(0x1A).size(), 1u) << "one frame carries every output";
  driver.Click("checkbox_comp_all");
  driver.Click("checkbox_limit_5");
  driver.Click("checkbox_noise_gate_1");
  EXPECT_EQ(SentNow(0x29).size(), 8u) << "the compressor is written per output";
  driver.Click("checkbox_eq_enable_input_3");
  EXPECT_EQ(SentNow(0x0A).size(), 31u) << "one write per band";
  for (int band = 0; band < kEqBands; ++band) EXPECT_TRUE(Shown().EqualizerEnable(kInputSide, 3, band));
  EXPECT_TRUE(harness.Check("checkbox_eq_enable_input_3"));
}

// An output's gain or mute frame carries every output.
TEST_F(PageEditsTest, OutputPageEditsTheChosenOutputAndEveryOutputFrameCarriesAllOfThem) {
  SelectNamed("Hall");
  driver.Click("checkbox_mute_output_0");
  driver.Click("checkbox_mute_output_1");
  driver.Type("edit_gain_output_2", "-3");
  const auto frames = SentNow(kGainMuteCommand);
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.back()[6], 0b011) << "outputs A and B muted";
  EXPECT_EQ(frames.back()[8 + 2 * 2] | frames.back()[9 + 2 * 2] << 8, 2000 - 30);

  harness.Raise("list_header_item_output_3", "headerclick");
  driver.DoubleClick("button_output");
  EXPECT_EQ(harness.Text("label_window_output_title"), "OUTPUT - OUT D");
  EXPECT_EQ(driver.Get("list_output_3").BkImage(), "image/channel_output_selected.png");
  driver.Click("checkbox_output_muted");
  driver.Click("checkbox_output_polarity");
  EXPECT_TRUE(Shown().Mute(kOutputSide, 3));
  EXPECT_TRUE(Shown().Polarity(kOutputSide, 3));
  EXPECT_TRUE(harness.Check("checkbox_mute_output_3")) << "the overview follows the page";
}

TEST_F(PageEditsTest, PinkNoisePlaysAndStopsOnTheInputThePagesShow) {
  SelectNamed("Hall");
  harness.Raise("list_item_input_2", "itemclick");
  driver.DoubleClick("button_input");
  EXPECT_EQ(harness.Text("label_window_input_title"), "Input - IN C");
  driver.Click("button_pink_noise_play");
  auto frames = SentNow(0x01);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0][2], 0xF9);
  EXPECT_EQ(frames[0][5], 0x04) << "the mask of input C";
  EXPECT_EQ(frames[0][6], 1);
  EXPECT_EQ(bus.FindByAddress(frames[0][kOffsetAddress])->pink_noise().channel_mask, 0x04);
  driver.Click("button_pink_noise_stop");
  frames = SentNow(0x01);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0][6], 0);
}

class DelayPageTest : public PageEditsTest {};

TEST_F(DelayPageTest, TypedDelaysInEachUnitRoundUpToWholeSamplesWithinTheSlider) {
  SelectNamed("Hall");
  driver.Click("button_input_delay_value_0");
  ASSERT_TRUE(harness.Visible("window_input_delay"));
  struct Row {
    int unit;  // checkbox_input_delay_unit_K: 0 ft, 1 cm, 2 ms
    const char* typed;
    int samples;
    const char* shown;
  };
  const Row rows[] = {{1, "34", 45, "34.69"},     {2, "1", 45, "1.020"},    {2, "0", 0, "0.000"},
                      {2, "999", 2205, "50.000"}, {0, "1.1154856", 45, "1.138"}, {2, "-3", 0, "0.000"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    driver.SetCheck("checkbox_input_delay_unit_" + std::to_string(row.unit), true);
    driver.Type("edit_input_delay_1", row.typed);
    EXPECT_EQ(Shown().Delay(kInputSide, 1), row.samples);
    EXPECT_EQ(harness.Text("edit_input_delay_1"), row.shown);
    EXPECT_EQ(harness.Value("slider_input_delay_1"), row.samples);
  }
}

TEST_F(DelayPageTest, UnitsChangeOnlyTheTextAndTheOverviewSaysOffForADisabledDelay) {
  SelectNamed("Hall");
  driver.Click("button_output_delay_2");
  driver.Type("edit_output_delay_2", "1");
  EXPECT_EQ(harness.Text("button_output_delay_value_2"), "OFF");
  driver.Click("checkbox_output_delay_2");
  EXPECT_TRUE(harness.Check("checkbox_delay_output_2"));
  EXPECT_EQ(harness.Text("button_output_delay_value_2"), "1.020ms");
  SentNow(0x10);

  driver.SetCheck("checkbox_output_delay_unit_1", true);
  EXPECT_TRUE(harness.Visible("layout_output_delay_unit_cm"));
  EXPECT_FALSE(harness.Visible("layout_output_delay_unit_ms"));
  EXPECT_EQ(harness.Text("button_output_delay_value_2"), "34.69cm");
  driver.SetCheck("checkbox_output_delay_unit_0", true);
  EXPECT_EQ(harness.Text("button_output_delay_value_2"), "1.138ft");
  EXPECT_TRUE(SentNow(0x10).empty()) << "a unit is not sent";

  // 44 samples show as 0.998 ms; leaving the box as it is must not make 45.
  driver.SetCheck("checkbox_output_delay_unit_2", true);
  driver.Get<Slider>("slider_output_delay_2").SetValue(44);
  harness.Raise("slider_output_delay_2", "valuechanged");
  driver.Type("edit_output_delay_2", "0.998");
  EXPECT_EQ(Shown().Delay(kOutputSide, 2), 44);
}

TEST_F(DelayPageTest, AllSwitchesAndResetsOfBothFamiliesStayConsistent) {
  SelectNamed("Stage");
  driver.Click("button_input_delay_0");
  driver.Click("checkbox_input_delay");
  EXPECT_EQ(SentNow(0x10).size(), 4u) << "an input's frame carries that input only";
  EXPECT_TRUE(harness.Check("checkbox_delay_input_all"));
  for (int ch = 0; ch < 4; ++ch) EXPECT_TRUE(harness.Check("checkbox_input_delay_" + std::to_string(ch)));

  driver.DoubleClick("button_home");
  driver.Click("checkbox_delay_input_1");
  EXPECT_FALSE(harness.Check("checkbox_input_delay"));
  EXPECT_FALSE(harness.Check("checkbox_input_delay_1"));
  SentNow(0x10);
  driver.Click("checkbox_delay_output_all");
  EXPECT_EQ(SentNow(0x10).size(), 1u) << "one frame carries every output";

  driver.Click("button_output_delay_0");
  driver.Click("button_output_delay_reset");
  for (int ch = 0; ch < 8; ++ch) EXPECT_FALSE(Shown().DelayEnable(kOutputSide, ch));
  EXPECT_FALSE(harness.Check("checkbox_delay_output_all"));
  driver.Type("edit_input_delay_3", "5");
  driver.Click("button_input_delay_reset_3");
  EXPECT_EQ(Shown().Delay(kInputSide, 3), 0);
  EXPECT_FALSE(Shown().DelayEnable(kInputSide, 3));
}

class MatrixPageTest : public PageEditsTest {
 protected:
  QColor Colour(const std::string& cell) { return driver.Get(cell).BkColor(); }
};

TEST_F(MatrixPageTest, ClickSelectsDoubleClickSwitchesAndTheLevelIsTypedSteppedOrSlid) {
  SelectNamed("Hall");
  driver.Click("button_matrix_mix_in_home");
  driver.Click("button_in_c_out_6");
  EXPECT_EQ(harness.Text("label_router_volume_selected"), "IN C - OUT 6");
  EXPECT_TRUE(SentNow(kGainMuteCommand, true).empty()) << "selecting sends nothing";

  const bool was_on = Shown().RouterEnable(2, 5);
  driver.Type("edit_router_volume", "0");
  driver.DoubleClick("button_in_c_out_6");
  EXPECT_NE(Shown().RouterEnable(2, 5), was_on);
  EXPECT_EQ(harness.Text("button_in_c_out_6"), "0%");
  EXPECT_EQ(Colour("button_in_c_out_6"), was_on ? QColor() : QColor::fromRgba(0x7075EBBD));

  struct Row {
    const char* typed;
    int level;
  };
  for (const Row& row : {Row{"40%", 40}, Row{"250", 100}, Row{"x", 100}, Row{"12,7 %", 12},
                         Row{"99999999999999999999%", 100}, Row{"7 7", 100}, Row{"-5", 0}}) {
    SCOPED_TRACE(row.typed);
    driver.Type("edit_router_volume", row.typed);
    EXPECT_EQ(Shown().Router(2, 5), row.level);
    EXPECT_EQ(harness.Text("edit_router_volume"), std::to_string(row.level) + "%");
    EXPECT_EQ(harness.Text("button_in_c_out_6"), std::to_string(row.level) + "%");
  }
  Wait();
  driver.Key("edit_router_volume", UiKey::kUp);
  EXPECT_EQ(Shown().Router(2, 5), 1);
  EXPECT_EQ(harness.Value("slider_router_volume"), 1);
}

// Lobby has 2 inputs and 4 outputs: clear and reset touch its 2 x 4 cells.
TEST_F(MatrixPageTest, ClearAndResetActOnlyOnTheCellsTheProcessorHas) {
  const int lobby = SelectNamed("Lobby");
  driver.Click("button_matrix_mix_in_home");
  driver.Click("button_router_reset");
  for (int in = 0; in < 8; ++in) {
    for (int out = 0; out < 8; ++out) {
      const bool inside = in < 2 && out < 4;
      if (!inside) continue;
      EXPECT_EQ(Shown().RouterEnable(in, out), in == out) << in << " " << out;
      EXPECT_EQ(Shown().Router(in, out), in == out ? 100 : 0);
    }
  }
  EXPECT_EQ(harness.Text("button_in_b_out_2"), "100%");
  EXPECT_EQ(Colour("button_in_a_out_2"), QColor());
  EXPECT_EQ(SentNow(kGainMuteCommand, true).size(), 8u) << "a write per cell, each a whole row";
  ExpectProcessorFollowed(lobby);

  driver.Click("button_router_clear");
  EXPECT_FALSE(Shown().RouterEnable(0, 0));
  EXPECT_EQ(harness.Text("button_in_a_out_1"), "0%");
}

class NoSelectionTest : public PageEditsTest {};

// With processors listed and none selected, an edit asks for one, changes
// nothing and leaves the control showing what it showed before; so does
// selecting the tree's root node.
TEST_F(NoSelectionTest, EditsAndTheRootNodeAskForAProcessorAndShowTheStoredStateAgain) {
  const std::string gain_before = harness.Text("edit_gain_input_0");
  const bool mute_before = harness.Check("checkbox_mute_input_0");
  const struct {
    const char* control;
    std::function<void()> edit;
  } edits[] = {{"mute", [&] { driver.Click("checkbox_mute_input_0"); }},
               {"gain", [&] { driver.Type("edit_gain_input_0", "3"); }},
               {"root node", [&] { Select(-1); }}};
  for (const auto& edit : edits) {
    SCOPED_TRACE(edit.control);
    harness.Dialogs().AnswerNextMessage(kIdOk);
    edit.edit();
    EXPECT_EQ(LastBox(), (TextAndCaption{"Please select a device !", "Comfirm"}));
    EXPECT_EQ(harness.Check("checkbox_mute_input_0"), mute_before);
    EXPECT_EQ(harness.Text("edit_gain_input_0"), gain_before);
  }
  EXPECT_EQ(Boxes().size(), 3u);
  harness.Advance(200);
  EXPECT_TRUE(SentWithCommand(kGainMuteCommand).empty());
  for (const DeviceRecord& record : window->Devices()) {
    EXPECT_FALSE(record.Mute(kInputSide, 0));
    EXPECT_EQ(record.Gain(kInputSide, 0), 0);
  }
}

}  // namespace
}  // namespace dsp::test
