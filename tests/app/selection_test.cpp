// Selecting processors in the tree: synchronising behind the wait dialog,
// the failure message, fitting the overview to the channel counts, the
// per-device page layout and the sync button.
#include "app/control_names.h"
#include "link/frame.h"
#include "main_window_fixture.h"
#include "platform/button.h"
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
  ScanThreeProcessors();
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
  ScanThreeProcessors();
  bus.FindByAddress(1)->faults().silent_after = 0;
  harness.Dialogs().AnswerNextMessage(kIdOk);
  Select(0);
  EXPECT_EQ(Boxes(), (MessageBoxes{{"Synchronize from device fail", "Warning"}}));
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

// The overview fitted to the selected processor: its strips, rows and cells
// shown, fillers where channels are missing and none on a full processor.
// Every family the fitting names is looked up, so one missing from the skin
// fails here.
TEST_F(SelectionTest, EachProcessorShowsOnlyItsStripsRowsAndCellsAndFillersForTheRest) {
  bus.Add("Small", 4, 2);
  bus.Add("Hall", 8, 8);
  Start();
  Scan();
  const struct {
    const char* name;
    int channels[2];
    int filler_rows;
  } processors[] = {{"Hall", {8, 8}, 0}, {"Small", {4, 2}, 4}};
  for (const auto& p : processors) {
    SCOPED_TRACE(p.name);
    Select(Record(0).Name() == p.name ? 0 : 1);
    for (int side : {kInputSide, kOutputSide}) {
      const std::string s(SideName(side));
      std::vector<std::string> families = {"layout_energy_" + s, "layout_" + s, "layout_home_" + s, "layout_mix_" + s};
      for (const char* part : {"control", "image", "label", "unit_cm", "unit_ft", "unit_ms", "on", "reset"}) {
        families.push_back("layout_" + s + "_delay_" + part);
        EXPECT_EQ(Shown(driver, families.back() + "_hide"), p.channels[side] < 8) << families.back();
      }
      for (const std::string& family : families) {
        for (int k = 0; k < 8; ++k) EXPECT_EQ(Shown(driver, Channel(family, k)), k < p.channels[side]) << family << k;
      }
    }
    for (int r = 0; r < 8; ++r) {
      EXPECT_EQ(Shown(driver, Channel("layout_home", r)), r < 8 - p.filler_rows) << r;
      EXPECT_EQ(Shown(driver, Channel("layout_home_hide", r)), r < p.filler_rows) << r;
      for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(Shown(driver, "layout_mix_input_" + std::to_string(r) + "_output_" + std::to_string(c)),
                  r < p.channels[kInputSide] && c < p.channels[kOutputSide]) << r << c;
      }
    }
    EXPECT_EQ(Shown(driver, "layout_mix_input_hide"), p.channels[kInputSide] < 8);
  }
  EXPECT_EQ(driver.Get("list_input_0").BkImage(), "image/channel_input_selected.png");
  EXPECT_EQ(driver.Get("list_input_1").BkImage(), "image/channel_input.png");
  EXPECT_EQ(driver.Get("list_output_0").BkImage(), "image/channel_output_selected.png");
}

TEST_F(SelectionTest, EachProcessorKeepsItsOpenPages) {
  ScanSmallProcessors({"Hall", "Stage"});
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
  ScanSmallProcessors({"Hall", "Stage"});
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
