// Selecting processors in the tree: synchronising behind the wait dialog,
// the failure message, fitting the overview to the channel counts, the
// per-device page layout and the sync button.
#include "link/frame.h"
#include "main_window_fixture.h"
#include "platform/button.h"
#include "platform/tree_view.h"
#include "protocol/commands.h"

namespace dsp::test {
namespace {

class SelectionTest : public MainWindowTest {
 protected:
  // The frames sent since `from`, leaving out the level polls.
  std::vector<Bytes> RequestsSince(std::size_t from) const {
    std::vector<Bytes> frames;
    for (std::size_t i = from; i < link.sent.size(); ++i) {
      if (link.sent[i][kOffsetCommand] != command::kLevelPoll) frames.push_back(link.sent[i]);
    }
    return frames;
  }
  const DeviceRecord& Record(int position) const { return window->Devices()[static_cast<std::size_t>(position)]; }
};

TEST_F(SelectionTest, AnUnsynchronisedProcessorIsReadBehindTheWaitDialogOnce) {
  ThreeProcessors();
  Start();
  Scan();
  SimProcessor& processor = *bus.FindByAddress(2);
  processor.parameters().inputs[1].gain_raw = 1900;  // -10.0 dB
  bool dialog_seen = false;
  harness.At(500, [&] {
    Window* dialog = Window::AllWindows().front();
    dialog_seen = dialog->ClassName() == "WaitDialog";
    EXPECT_EQ(dialog->Title(), "Synchronize");
    EXPECT_EQ(dialog->FindControl("title_label")->Text(), "Synchronize from device...");
    EXPECT_EQ(harness.Text("label_tips_1"), "Synchronize from device...");
  });
  const std::size_t before = link.sent.size();
  Select(1);
  EXPECT_TRUE(dialog_seen);
  EXPECT_TRUE(Record(1).Synchronised());
  EXPECT_EQ(Record(1).Gain(kInputSide, 1), -1000);
  EXPECT_EQ(harness.Text("label_tips_1"), "");
  const auto requests = RequestsSince(before);
  ASSERT_FALSE(requests.empty());
  for (const Bytes& frame : requests) EXPECT_EQ(frame[kOffsetAddress], 2);
  EXPECT_TRUE(window->HasTimer(timer::kLevelPoll)) << "the level poll resumes";
  EXPECT_TRUE(harness.Dialogs().Messages().empty());

  Select(0);
  const std::size_t second = link.sent.size();
  Select(1);
  harness.Advance(1000);
  EXPECT_TRUE(RequestsSince(second).empty()) << "a synchronised processor is shown from its record";
  EXPECT_EQ(window->SelectedDevice()->Address(), 2);
}

TEST_F(SelectionTest, ASilentProcessorEndsInTheFailureMessageAndIsAskedAgainNextTime) {
  ThreeProcessors();
  Start();
  Scan();
  bus.FindByAddress(1)->faults().silent_after = 0;
  harness.Dialogs().AnswerNextMessage(kIdOk);
  Select(0);
  ASSERT_EQ(harness.Dialogs().Messages().size(), 1u);
  EXPECT_EQ(harness.Dialogs().Messages()[0].text, "Synchronize from device fail");
  EXPECT_EQ(harness.Dialogs().Messages()[0].caption, "Warning");
  EXPECT_FALSE(Record(0).Synchronised());
  EXPECT_EQ(harness.Text("label_tips_0"), "");

  Select(1);
  harness.Dialogs().AnswerNextMessage(kIdOk);
  const std::size_t before = link.sent.size();
  Select(0);
  EXPECT_FALSE(RequestsSince(before).empty()) << "the failed read is tried again";
  EXPECT_EQ(harness.Dialogs().Messages().size(), 2u);
}

bool Shown(const UiDriver& driver, const std::string& name) { return driver.Get(name).IsVisible(); }

TEST_F(SelectionTest, AFourByTwoProcessorShowsOnlyItsStripsRowsAndCells) {
  bus.Add("Small", 4, 2);
  Start();
  Scan();
  Select(0);
  for (int k = 0; k < 8; ++k) {
    const std::string n = std::to_string(k);
    EXPECT_EQ(Shown(driver, "layout_input_" + n), k < 4) << k;
    EXPECT_EQ(Shown(driver, "layout_home_input_" + n), k < 4) << k;
    EXPECT_EQ(Shown(driver, "layout_energy_input_" + n), k < 4) << k;
    EXPECT_EQ(Shown(driver, "layout_mix_input_" + n), k < 4) << k;
    EXPECT_EQ(Shown(driver, "layout_input_delay_control_" + n), k < 4) << k;
    EXPECT_EQ(Shown(driver, "layout_output_" + n), k < 2) << k;
    EXPECT_EQ(Shown(driver, "layout_home_output_" + n), k < 2) << k;
    EXPECT_EQ(Shown(driver, "layout_mix_output_" + n), k < 2) << k;
    EXPECT_EQ(Shown(driver, "layout_output_delay_unit_ms_" + n), k < 2) << k;
    EXPECT_EQ(Shown(driver, "layout_home_" + n), k < 4) << k;
    EXPECT_EQ(Shown(driver, "layout_home_hide_" + n), k < 4) << k;
    for (int c = 0; c < 8; ++c) {
      EXPECT_EQ(Shown(driver, "layout_mix_input_" + n + "_output_" + std::to_string(c)), k < 4 && c < 2) << k << c;
    }
  }
  EXPECT_TRUE(Shown(driver, "layout_mix_input_hide"));
  EXPECT_TRUE(Shown(driver, "layout_input_delay_reset_hide"));
  EXPECT_TRUE(Shown(driver, "layout_output_delay_on_hide"));
  EXPECT_EQ(driver.Get("list_input_0").BkImage(), "image/channel_input_selected.png");
  EXPECT_EQ(driver.Get("list_input_1").BkImage(), "image/channel_input.png");
  EXPECT_EQ(driver.Get("list_output_0").BkImage(), "image/channel_output_selected.png");
}

TEST_F(SelectionTest, AFullProcessorShowsEverythingAndNoFillers) {
  bus.Add("Small", 2, 2);
  bus.Add("Hall", 8, 8);
  Start();
  Scan();
  const int hall = window->Devices()[0].Inputs() == 8 ? 0 : 1;
  Select(1 - hall);
  Select(hall);
  for (int k = 0; k < 8; ++k) {
    const std::string n = std::to_string(k);
    EXPECT_TRUE(Shown(driver, "layout_input_" + n)) << k;
    EXPECT_TRUE(Shown(driver, "layout_output_" + n)) << k;
    EXPECT_TRUE(Shown(driver, "layout_home_" + n)) << k;
    EXPECT_FALSE(Shown(driver, "layout_home_hide_" + n)) << k;
    EXPECT_TRUE(Shown(driver, "layout_mix_input_7_output_" + n)) << k;
  }
  EXPECT_FALSE(Shown(driver, "layout_mix_input_hide"));
  EXPECT_FALSE(Shown(driver, "layout_input_delay_image_hide"));
}

TEST_F(SelectionTest, EachProcessorKeepsItsOpenPages) {
  bus.Add("Hall", 2, 2);
  bus.Add("Stage", 2, 2);
  Start();
  Scan();
  Select(0);
  driver.Click("button_comp_1");
  ASSERT_TRUE(Shown(driver, "window_comp"));
  Select(1);
  EXPECT_TRUE(Shown(driver, "window_home")) << "a processor read for the first time starts on the overview";
  EXPECT_FALSE(Shown(driver, "window_comp"));
  EXPECT_EQ(driver.Get<Button>("button_comp").NormalImage(), "image/comp.png");

  Select(0);
  EXPECT_FALSE(Shown(driver, "window_home"));
  EXPECT_TRUE(Shown(driver, "window_detail"));
  EXPECT_TRUE(Shown(driver, "window_comp"));
  EXPECT_FALSE(Shown(driver, "window_input"));
  EXPECT_EQ(driver.Get<Button>("button_comp").NormalImage(), "image/comp_selected.png");
  EXPECT_EQ(harness.Text("label_window_comp_title"), "Compressor - OUT B");

  Select(1);
  EXPECT_TRUE(Shown(driver, "window_home")) << "the second processor was left on the overview";
}

// A device's own sync button reads that device, whichever is selected.
TEST_F(SelectionTest, TheSyncButtonReadsItsOwnProcessor) {
  bus.Add("Hall", 2, 2);
  bus.Add("Stage", 2, 2);
  Start();
  Scan();
  Select(0);
  bus.FindByAddress(2)->parameters().outputs[1].gain_raw = 1950;  // -5.0 dB
  const std::size_t before = link.sent.size();
  driver.Click("button_circle_1");
  const auto requests = RequestsSince(before);
  ASSERT_FALSE(requests.empty());
  for (const Bytes& frame : requests) EXPECT_EQ(frame[kOffsetAddress], 2);
  EXPECT_TRUE(Record(1).Synchronised());
  EXPECT_EQ(Record(1).Gain(kOutputSide, 1), -500);
  EXPECT_EQ(window->SelectedDevice()->Address(), 1) << "the selection stays";
}

}  // namespace
}  // namespace dsp::test
