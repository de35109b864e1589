// What the preset dialog posts to the main window, the deferred parameter
// writes of the timer table, and the level page.
#include <algorithm>

#include "link/frame.h"
#include "dialogs/scene_dialog.h"
#include "main_window_fixture.h"
#include "model/write_builders.h"
#include "platform/slider.h"
#include "protocol/commands.h"
#include "protocol/level_poll.h"

namespace dsp::test {
namespace {

class MessagesTest : public MainWindowTest {
 protected:
  void SetUp() override {
    bus.Add("Hall", 4, 4);
    Start();
    Scan();
    Select(0);
  }
  void Post(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
    window->PostMessage(message, wparam, lparam);
    harness.Advance(0);
  }
  SimProcessor& Hall() { return *bus.FindByAddress(1); }
};

TEST_F(MessagesTest, ARecallReadsTheProcessorBackOnceThePresetHasSettled) {
  Hall().preset(3).parameters.inputs[0].gain_raw = 1900;  // -10.0 dB in preset 3
  const std::size_t reads = SentWithCommand(command::kInputDelay).size();
  Post(SceneDialog::kRecallMessage, 3, 1);
  const auto recalls = SentWithCommand(command::kPresetRecall);
  ASSERT_EQ(recalls.size(), 1u);
  EXPECT_EQ(recalls[0], PresetRecallFrame(1, 3));
  EXPECT_EQ(harness.Text("label_tips_0"), "Loading effect...");
  EXPECT_FALSE(window->HasTimer(timer::kLevelPoll));
  harness.Advance(11900);
  EXPECT_EQ(SentWithCommand(command::kInputDelay).size(), reads) << "nothing is read while the preset loads";
  harness.Advance(30000);
  EXPECT_GT(SentWithCommand(command::kInputDelay).size(), reads);
  EXPECT_EQ(window->Devices()[0].Gain(kInputSide, 0), -1000);
  EXPECT_TRUE(window->HasTimer(timer::kLevelPoll));
  Post(SceneDialog::kRecallDoneMessage, 0, 1);
  EXPECT_EQ(harness.Text("label_tips_0"), "");

  // The factory preset settles for 16 seconds.
  const std::size_t factory_reads = SentWithCommand(command::kInputDelay).size();
  Post(SceneDialog::kRecallMessage, 0, 1);
  harness.Advance(15900);
  EXPECT_EQ(SentWithCommand(command::kInputDelay).size(), factory_reads);
  harness.Advance(400);
  EXPECT_GT(SentWithCommand(command::kInputDelay).size(), factory_reads);
}

TEST_F(MessagesTest, ASaveStopsTheLevelPollUntilItsWaitIsOver) {
  Post(SceneDialog::kSaveMessage, 5, 1);
  EXPECT_EQ(harness.Text("label_tips_0"), "Saving...");
  EXPECT_FALSE(window->HasTimer(timer::kLevelPoll));
  const auto saves = SentWithCommand(command::kPresetSave);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0], PresetSaveFrame(1, 5));
  harness.Advance(100);
  EXPECT_EQ(Hall().current_preset(), 5);
  Post(SceneDialog::kSaveDoneMessage, 5, 1);
  EXPECT_EQ(harness.Text("label_tips_0"), "");
  EXPECT_TRUE(window->HasTimer(timer::kLevelPoll));
}

TEST_F(MessagesTest, APresetNameIsWrittenFromTheRecordForSlots0To16Only) {
  const std::string name = window->Devices()[0].PresetName(16);
  Post(SceneDialog::kRenameMessage, 16, 1);
  auto writes = SentWithCommand(command::kPresetName);
  ASSERT_FALSE(writes.empty());
  EXPECT_EQ(writes.back(), PresetNameWriteFrame(1, 16, name));
  EXPECT_EQ(writes.back()[kOffsetKind], 0xF3);
  const std::size_t count = writes.size();
  Post(SceneDialog::kRenameMessage, 17, 1);
  EXPECT_EQ(SentWithCommand(command::kPresetName).size(), count);
}

// Kinds 128 to 138: the timer is one-shot and sends the record's values.
TEST_F(MessagesTest, AParameterWriteTimerSendsItsFrameOnce) {
  const WriteId id = WriteId::GainMute(kOutputSide, 2, 1);
  const auto expected = BuildWrite(id, window->Devices(), window->Config());
  ASSERT_TRUE(expected);
  window->SetTimer(id.Value(), MainWindow::kWriteDelayMs);
  window->SetTimer(id.Value(), MainWindow::kWriteDelayMs);
  harness.Advance(500);
  std::size_t matching = 0;
  for (const Bytes& frame : link.sent) matching += frame == *expected ? 1 : 0;
  EXPECT_EQ(matching, 1u);
  EXPECT_FALSE(window->HasTimer(id.Value()));
  const auto& handled = Hall().handled_frames();
  EXPECT_NE(std::find(handled.begin(), handled.end(), *expected), handled.end()) << "the processor took the write";
  EXPECT_FALSE(window->SendMessage(kWmTimer, 134, 0)) << "kind 134 is no timer of the window";
}

TEST_F(MessagesTest, TheLevelPageShowsTheSelectedProcessorsLevels) {
  Hall().levels().SetProgramme(1, std::nullopt);
  driver.DoubleClick("button_energy");
  harness.Advance(8000);  // the meter falls slowly
  EXPECT_EQ(harness.Text("label_window_energy_title"), "Energy");
  const Configuration& config = window->Config();
  EXPECT_EQ(harness.Text("label_energy_input_1"), FormatLevelDb(config.energy_min_db)) << "a silent input";
  const std::string playing = harness.Text("label_energy_input_0");
  ASSERT_TRUE(playing.ends_with(" dBv")) << playing;
  const double db = std::stod(playing);
  EXPECT_GT(db, config.energy_min_db);
  EXPECT_LT(db, 0);
  const auto& slider = driver.Get<Slider>("slider_energy_input_0");
  EXPECT_NEAR(slider.Value(), std::clamp(static_cast<int>(db * 10), slider.Min(), slider.Max()), 1);
}

}  // namespace
}  // namespace dsp::test
