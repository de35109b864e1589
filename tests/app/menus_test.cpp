// The file and option menus: opening them, the language switch, and what
// their device items do to the record, the files and the processors.
#include <filesystem>
#include <fstream>

#include "link/frame.h"
#include "main_window_fixture.h"
#include "persist/language_setting.h"
#include "protocol/commands.h"

namespace dsp::test {
namespace {

class MenusTest : public MainWindowTest {
 protected:
  int OpenMenus() const {
    int menus = 0;
    for (Window* each : Window::AllWindows()) menus += each->ClassName() == "Menu" ? 1 : 0;
    return menus;
  }
  const DeviceRecord& Device(std::size_t position) const { return window->Devices()[position]; }
};

TEST_F(MenusTest, AMenuOpensOnceUnderItsButtonFromTheSkinOfTheLanguage) {
  Start(kEnglish);
  driver.Click("button_file");
  driver.Click("button_file");
  EXPECT_EQ(OpenMenus(), 1);
  EXPECT_EQ(harness.Text("menu_item_file_save_to_pc"), "Save parameters to PC...");
  const QRect button = driver.Get("button_file").ScreenRect();
  const QPoint menu_corner = driver.Get("menu_item_file_effect").OwnerWindow()->Widget()->pos();
  // The window system may add a frame of a pixel or two around a pop-up.
  EXPECT_LE((menu_corner - (button.bottomLeft() + QPoint(0, 1))).manhattanLength(), 4);
  driver.Click("button_option");
  EXPECT_EQ(OpenMenus(), 2) << "one of each kind";

  Start(kChinese);
  driver.Click("button_option");
  EXPECT_EQ(harness.Text("menu_item_option_reset"), "恢复出厂设置");
}

// Every item that acts on a processor needs one, listed and selected.
TEST_F(MenusTest, DeviceItemsWithoutAProcessorSayWhyAndSendNothing) {
  const std::vector<std::string> items = {"menu_item_file_load_from_device", "menu_item_option_reset",
                                          "menu_item_file_save_to_pc", "menu_item_file_load_from_pc",
                                          "menu_item_file_save_all_to_pc"};
  Start(kEnglish);
  for (const std::string& item : items) ChooseAnswered(item);
  ThreeProcessors();
  Scan();
  const std::size_t sent = link.sent.size();
  for (const std::string& item : items) ChooseAnswered(item);
  harness.Advance(300);
  MessageBoxes expected(items.size(), {"Не поключен", "Tips"});
  expected.insert(expected.end(), items.size(), {"Select a device", "Tips"});
  EXPECT_EQ(Boxes(), expected);
  for (std::size_t i = sent; i < link.sent.size(); ++i) {
    EXPECT_EQ(link.sent[i][kOffsetCommand], command::kLevelPoll) << "only the level poll goes out";
  }
}

TEST_F(MenusTest, TheLanguageItemSwitchesEveryTextAndSwitchingBackRestoresThem) {
  ScanThreeProcessors();
  const std::vector<std::string> controls = {
      "button_file",    "treenode_device",     "label_window_input_title", "label_window_input_delay_title",
      "label_circle_0", "button_router_clear", "label_input_muted"};
  std::vector<std::string> english;
  for (const std::string& name : controls) english.push_back(harness.Text(name));
  Choose("menu_item_option_language");
  EXPECT_EQ(ReadLanguage(SettingFile()), kChinese);
  EXPECT_EQ(harness.Text("button_file"), "文件");
  EXPECT_EQ(harness.Text("label_window_input_title"), "输入 - IN A");
  EXPECT_EQ(harness.Text("label_circle_0"), "点击同步参数");
  driver.Click("button_file");
  EXPECT_EQ(harness.Text("menu_item_file_save_to_pc"), "保存参数到电脑...") << "the menus follow";
  driver.Key("menu_item_file_save_to_pc", UiKey::kEscape);

  Choose("menu_item_option_language");
  EXPECT_EQ(ReadLanguage(SettingFile()), kEnglish);
  for (std::size_t i = 0; i < controls.size(); ++i) EXPECT_EQ(harness.Text(controls[i]), english[i]) << controls[i];
}

TEST_F(MenusTest, SavedParametersLoadBackIntoTheRecordAndTheProcessor) {
  ScanThreeProcessors();
  const std::size_t hall = SelectNamed("Hall");
  driver.Type("edit_gain_input_2", "-7.5");
  driver.Click("checkbox_mute_output_1");
  const std::string path = dir.File("hall");
  harness.Dialogs().AnswerNextFile(path);
  Choose("menu_item_file_save_to_pc");
  ASSERT_TRUE(std::filesystem::exists(path + ".ini")) << "the .ini extension is added";
  const DeviceRecord saved = Device(hall);

  driver.Type("edit_gain_input_2", "0");
  driver.Click("checkbox_mute_output_1");
  harness.Advance(500);
  harness.Dialogs().AnswerNextFile(path + ".ini");
  Choose("menu_item_file_load_from_pc");
  EXPECT_TRUE(Device(hall).SameParametersAs(saved));
  EXPECT_EQ(harness.Text("edit_gain_input_2"), "-7.5") << "the pages show what was loaded";
  ExpectProcessorFollowed(static_cast<int>(hall));
}

// Neither a file without parameters nor one with a value the processor
// cannot be sent (it would arrive wrapped into another value) gets through.
TEST_F(MenusTest, AFileTheLoaderRefusesChangesNeitherTheRecordNorTheProcessor) {
  ScanThreeProcessors();
  const std::size_t stage = SelectNamed("Stage");
  const DeviceRecord before = Device(stage);
  const struct {
    const char* name;
    const char* text;
    const char* said;
  } files[] = {
      {"notes.ini", "[shopping]\nmilk=2\n", "notes.ini"},
      {"wrapped.ini", "[input 1]\ngain=-600\n[output 0]\ndelay=-99999999\n", "[output 0] delay = -99999999"},
  };
  for (const auto& file : files) {
    const std::string path = dir.File(file.name);
    std::ofstream(path) << file.text;
    const std::size_t sent = link.sent.size();
    ChooseAnswered("menu_item_file_load_from_pc", path);
    harness.Advance(2000);
    EXPECT_NE(LastMessage().find(file.said), std::string::npos) << LastMessage();
    EXPECT_TRUE(Device(stage).SameParametersAs(before)) << file.name;
    for (std::size_t i = sent; i < link.sent.size(); ++i) EXPECT_EQ(link.sent[i][kOffsetCommand], command::kLevelPoll);
  }
}

TEST_F(MenusTest, SaveAllWritesTheEffectMemoryAndAFailedReadLeavesNoFile) {
  ScanThreeProcessors();
  const std::size_t lobby = SelectNamed("Lobby");
  SimProcessor& processor = *bus.FindByAddress(static_cast<std::uint8_t>(Device(lobby).Address()));
  Bytes& memory = processor.effect_memory();
  for (std::size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<std::uint8_t>(i * 13 + 1);
  harness.Dialogs().AnswerNextFile(dir.File("lobby.BIN"));
  Choose("menu_item_file_save_all_to_pc");
  std::ifstream saved(dir.File("lobby.BIN"), std::ios::binary);
  const Bytes bytes((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, memory);

  processor.faults().silent_after = 0;
  ChooseAnswered("menu_item_file_save_all_to_pc", dir.File("broken"));
  EXPECT_EQ(LastMessage(), "Synchronize from device fail");
  EXPECT_FALSE(std::filesystem::exists(dir.File("broken.bin")));
  EXPECT_EQ(harness.Text("label_tips_" + std::to_string(lobby)), "");
}

TEST_F(MenusTest, AFactoryResetRecallsPresetZeroAndReadsTheProcessorBack) {
  ScanThreeProcessors();
  const std::size_t stage = SelectNamed("Stage");
  const int factory_gain = Device(stage).Gain(kOutputSide, 5);
  driver.Type("edit_gain_output_5", "-20");
  harness.Advance(500);
  bool restoring_shown = false;
  harness.At(1000, [&] { restoring_shown = harness.Text("label_tips_" + std::to_string(stage)) == "Restoring..."; });
  Choose("menu_item_option_reset");
  EXPECT_TRUE(restoring_shown);
  const auto recalls = SentWithCommand(0x71);
  ASSERT_FALSE(recalls.empty());
  EXPECT_EQ(recalls.back()[5], 0) << "the factory preset";
  EXPECT_EQ(Device(stage).Gain(kOutputSide, 5), factory_gain) << "read back from the restored processor";
  ExpectProcessorFollowed(static_cast<int>(stage));
}

class CopyTest : public MenusTest {
 protected:
  void SetUp() override { ScanThreeProcessors(); }
  // Opens the copy dialog, picks the source's row in the combo and checks
  // the targets' rows, then confirms.
  void Copy(int source_row, const std::vector<int>& target_addresses) {
    harness.At(200, [=, this] {
      driver.Select("combo_source", source_row);
      for (int address : target_addresses) driver.SetCheck("checkbox_device_" + std::to_string(address), true);
      driver.Click("button_ok");
    });
    Choose("menu_item_option_device_copy");
  }
};

TEST_F(CopyTest, TheThreeRefusals) {
  SelectNamed("Hall");
  const int hall = window->SelectedDevice()->Address();
  harness.Dialogs().AnswerNextMessage(kIdOk);
  Copy(hall - 1, {hall});
  EXPECT_EQ(LastMessage(), "Have None valid Target");
  const int stage = window->Devices()[SelectNamed("Stage")].Address();
  harness.Dialogs().AnswerNextMessage(kIdOk);
  int unsynchronised = 0;
  for (const DeviceRecord& record : window->Devices()) {
    if (!record.Synchronised()) unsynchronised = record.Address();
  }
  ASSERT_NE(unsynchronised, 0);
  Copy(unsynchronised - 1, {stage});
  EXPECT_EQ(LastBox(), (TextAndCaption{"Synchronize From Device First", "Tips"}));
}

TEST_F(CopyTest, TheSourceIsWrittenToEachTargetInAddressOrder) {
  const std::size_t hall = SelectNamed("Hall");
  driver.Type("edit_gain_input_1", "-9");
  driver.Click("checkbox_polarity_output_3");
  for (const DeviceRecord& record : window->Devices()) {
    if (!record.Synchronised()) SelectNamed(record.Name());
  }
  const int source = Device(hall).Address();
  std::vector<int> targets;
  for (const DeviceRecord& record : window->Devices()) {
    if (record.Address() != source) targets.push_back(record.Address());
  }
  const std::size_t sent = link.sent.size();
  Copy(source - 1, {targets[1], targets[0]});
  std::vector<int> order;
  for (std::size_t i = sent; i < link.sent.size(); ++i) {
    const int address = link.sent[i][kOffsetAddress];
    if (link.sent[i][2] == 0xF3 && (order.empty() || order.back() != address)) order.push_back(address);
  }
  EXPECT_EQ(order, (std::vector<int>{std::min(targets[0], targets[1]), std::max(targets[0], targets[1])}));
  for (std::size_t position = 0; position < window->Devices().size(); ++position) {
    EXPECT_EQ(Device(position).Gain(kInputSide, 1), -900) << Device(position).Name();
    ExpectProcessorFollowed(static_cast<int>(position));
  }
}

}  // namespace
}  // namespace dsp::test
