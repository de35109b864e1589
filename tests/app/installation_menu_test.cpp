// The window's whole-installation backup and restore, and the equaliser
// pages' import of a measured filter list, against the simulated bus.
#include <filesystem>
#include <fstream>

#include "main_window_fixture.h"
#include "persist/installation.h"

namespace dsp::test {
namespace {

class InstallationMenuTest : public MainWindowTest {
 protected:
  void SetUp() override { ScanThreeProcessors(); }
};

TEST_F(InstallationMenuTest, ABackupRestoredBringsEveryProcessorBackAndRefusesOtherCounts) {
  const std::string folder = dir.File("site");
  std::filesystem::create_directory(folder);
  ChooseAnswered("menu_item_file_backup", folder);
  EXPECT_EQ(LastMessage(), "Saved the installation to " + folder + ": 3 of 3 processors.");
  Installation installation;
  ASSERT_TRUE(LoadManifest(folder, installation).Ok());
  ASSERT_EQ(installation.units.size(), 3u);

  for (std::size_t i = 0; i < bus.size(); ++i) bus.processor(i).parameters().outputs[0].gain_raw = 1500;
  ChooseAnswered("menu_item_file_restore", folder);
  for (const char* name : {"Hall", "Stage", "Lobby"}) {
    EXPECT_NE(LastMessage().find(std::string("\n") + name + ": restored"), std::string::npos) << LastMessage();
  }
  for (int position = 0; position < 3; ++position) ExpectProcessorFollowed(position);

  for (InstallationUnit& unit : installation.units) {
    if (unit.name == "Lobby") unit.outputs = 8;
  }
  ASSERT_TRUE(SaveManifest(folder, installation).Ok());
  ChooseAnswered("menu_item_file_restore", folder);
  EXPECT_NE(LastMessage().find("Lobby: refused: other channel counts than the backup"), std::string::npos)
      << LastMessage();
}

TEST_F(InstallationMenuTest, AFolderThatIsNoBackupIsSaidAndNothingIsWritten) {
  const std::size_t sent = link.sent.size();
  ChooseAnswered("menu_item_file_restore", dir.File(""));
  EXPECT_NE(LastMessage().find("installation.json"), std::string::npos) << LastMessage();
  harness.Advance(300);
  for (std::size_t i = sent; i < link.sent.size(); ++i) EXPECT_NE(link.sent[i][2], 0xF3) << "a write went out";
}

TEST_F(InstallationMenuTest, AMeasuredFilterListFillsTheChannelsEqualiser) {
  Select(0);
  const std::string list = dir.File("room.txt");
  std::ofstream(list) << "Filter Settings file\n"
                         "Filter  1: ON  PK  Fc  125.0 Hz  Gain  -4.5 dB  Q  3.20\n"
                         "Filter  2: ON  LS  Fc  80 Hz  Gain  2.0 dB\n";
  driver.Click("button_output_eq_2");
  harness.Dialogs().AnswerNextFile(list);
  driver.Click("button_output_eq_import");
  const DeviceRecord& record = *window->SelectedDevice();
  EXPECT_EQ(record.EqualizerFrequence(kOutputSide, 2, 0), 125);
  EXPECT_EQ(record.EqualizerGain(kOutputSide, 2, 0), -450);
  EXPECT_EQ(record.EqualizerType(kOutputSide, 2, 1), 6);
  for (int band = 0; band < kEqBands; ++band) EXPECT_EQ(record.EqualizerEnable(kOutputSide, 2, band), band < 2);
  EXPECT_EQ(harness.Text("edit_output_eq_frequence"), "125") << "the page shows the imported band";
  ExpectProcessorFollowed(0);

  std::ofstream(list) << "Filter  1: ON  LP  Fc  80 Hz\n";
  harness.Dialogs().AnswerNextFile(list);
  harness.Dialogs().AnswerNextMessage(kIdOk);
  driver.Click("button_output_eq_import");
  EXPECT_NE(LastMessage().find("line 1"), std::string::npos) << LastMessage();
  EXPECT_EQ(record.EqualizerFrequence(kOutputSide, 2, 0), 125) << "a refused list changes nothing";
}

}  // namespace
}  // namespace dsp::test
