// The preset dialog from the file menu, in process over the simulated bus:
// the name rule, the "*" of the slot in use, recall and save through the
// main window's preset messages, and its captions in both languages.
#include <QFontMetrics>
#include <functional>

#include "link/frame.h"
#include "main_window_fixture.h"
#include "platform/list.h"

namespace dsp::test {
namespace {

class SceneDialogTest : public MainWindowTest {
 protected:
  void Open(Language language) {
    ScanSmallProcessors({"Hall"}, language);
    Select(0);
  }
  // Opens the preset dialog, does `actions` in it and closes it.
  void InDialog(const std::function<void()>& actions) {
    harness.At(200, [this, actions] {
      actions();
      driver.Click("button_close");
    });
    driver.Click("button_file");
    driver.Click("menu_item_file_effect");
    harness.Advance(100);  // the messages the dialog posted last
  }
  const DeviceRecord& Record() const { return window->Devices().front(); }
  SimProcessor& Processor() { return *bus.FindByAddress(static_cast<std::uint8_t>(Record().Address())); }
  // The 27-byte writes of a slot's name (a read of the names has the same
  // command, as a 7-byte request).
  std::vector<Bytes> NameWrites(int slot) const {
    std::vector<Bytes> frames;
    for (const Bytes& frame : SentWithCommand(0xD7)) {
      if (frame.size() == 27 && frame[2] == 0xF3 && frame[5] == slot) frames.push_back(frame);
    }
    return frames;
  }
  int Selected() const { return driver.Get<List>("list_scene").CurSel(); }
  std::vector<std::string> MarkedLabels() const {
    std::vector<std::string> marked;
    for (int slot = 0; slot < kPresetSlots; ++slot) {
      const std::string text = harness.Text("label_scene_" + std::to_string(slot));
      if (text.starts_with("*")) marked.push_back(text);
    }
    return marked;
  }
};

struct NameCase {
  int slot;
  std::string name;
  bool by_return;
  const char* refusal_caption;  // nullptr: the name is taken
};

// A slot holds 19 bytes and the terminating zero; the rule counts bytes,
// so six Chinese characters (18 bytes) fit and seven do not.
TEST_F(SceneDialogTest, NamesShorterThanTwentyBytesAreTakenLongerOnesRefused) {
  Open(kEnglish);
  const std::vector<NameCase> cases = {
      {3, std::string(19, 'a'), true, nullptr},
      {4, std::string(20, 'b'), false, "Error"},
      {5, "音效音效音效", false, nullptr},
      {6, "音效音效音效七", true, "Comfirm"},
      {7, std::string(20, 'c'), true, "Comfirm"},
  };
  std::vector<std::string> before;
  for (int slot = 0; slot < kPresetSlots; ++slot) before.push_back(Record().PresetName(slot));
  MessageBoxes refusals;
  for (const NameCase& c : cases) {
    if (c.refusal_caption) refusals.emplace_back("Name length must less than 20 !", c.refusal_caption);
  }
  for (std::size_t i = 0; i < refusals.size(); ++i) harness.Dialogs().AnswerNextMessage(kIdOk);
  InDialog([&] {
    for (const NameCase& c : cases) {
      const std::string edit = "edit_scene_" + std::to_string(c.slot);
      if (c.by_return && c.refusal_caption == nullptr) {
        driver.Type(edit, c.name);
        continue;
      }
      driver.Get(edit).SetText(c.name);
      harness.Raise(edit, c.by_return ? "return" : "killfocus");
    }
  });
  harness.Advance(500);
  for (const NameCase& c : cases) {
    const bool taken = c.refusal_caption == nullptr;
    EXPECT_EQ(Record().PresetName(c.slot), taken ? c.name : before[c.slot]) << c.slot;
    EXPECT_EQ(Processor().preset(c.slot).name, taken ? c.name : before[c.slot]) << c.slot;
    if (taken) {
      ASSERT_FALSE(NameWrites(c.slot).empty()) << c.slot;
      const Bytes frame = NameWrites(c.slot).front();
      EXPECT_EQ(std::string(frame.begin() + 6, frame.begin() + 6 + static_cast<long>(c.name.size())), c.name);
      EXPECT_EQ(frame[25], 0);
      continue;
    }
    EXPECT_TRUE(NameWrites(c.slot).empty()) << c.slot;
  }
  EXPECT_EQ(Boxes(), refusals);
  EXPECT_EQ(NameWrites(3).size(), 2u) << "Enter, then the focus loss it causes";
  EXPECT_EQ(NameWrites(5).size(), 1u);
}

// The processor answers no preset number, so at first none is marked; the
// dialog keeps track of the slots it recalled.
TEST_F(SceneDialogTest, RecallMovesTheMarkerAndOnlyTheFactorySlotReloadsTheNames) {
  Open(kEnglish);
  const std::string old_name = Record().PresetName(7);
  Processor().preset(7).name = "Choir";
  InDialog([&] {
    EXPECT_EQ(Selected(), -1);
    EXPECT_TRUE(MarkedLabels().empty());
    driver.Select("list_scene", 5);
    driver.Click("button_call");
    EXPECT_EQ(MarkedLabels(), std::vector<std::string>{"*5"});
    EXPECT_EQ(harness.Text("edit_scene_7"), old_name) << "slot 5 keeps the names shown";
    driver.Select("list_scene", 0);
    driver.Click("button_call");
    EXPECT_EQ(MarkedLabels(), std::vector<std::string>{"*0"});
    EXPECT_EQ(harness.Text("edit_scene_7"), "Choir") << "slot 0 shows the names read back";
  });
  const std::vector<Bytes> recalls = SentWithCommand(0x71);
  ASSERT_EQ(recalls.size(), 2u);
  EXPECT_EQ(recalls[0][5], 5);
  EXPECT_EQ(recalls[1][5], 0);
  EXPECT_EQ(Processor().current_preset(), 0);
  EXPECT_EQ(harness.Text("label_tips_0"), "") << "the recall's end clears the status";

  InDialog([&] {
    EXPECT_EQ(Selected(), 0) << "reopened on the slot in use";
    EXPECT_EQ(MarkedLabels(), std::vector<std::string>{"*0"});
  });
}

TEST_F(SceneDialogTest, SaveStoresTheSettingsInTheSelectedSlotBehindATwoSecondWait) {
  Open(kEnglish);
  driver.Type("edit_gain_input_1", "-12");
  harness.Advance(500);
  const SimParameters slot_before = Processor().preset(9).parameters;
  std::int64_t waited = 0;
  InDialog([&] { driver.Click("button_save"); });
  EXPECT_TRUE(SentWithCommand(0x70).empty()) << "no row selected, nothing saved";
  InDialog([&] {
    driver.Select("list_scene", 9);
    const std::int64_t start = harness.Clock().NowMs();
    driver.Click("button_save");
    waited = harness.Clock().NowMs() - start;
  });
  const std::vector<Bytes> saves = SentWithCommand(0x70);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0][5], 9);
  EXPECT_GE(waited, 2000);
  EXPECT_NE(slot_before, Processor().parameters()) << "the edit made the settings differ from the slot";
  EXPECT_EQ(Processor().preset(9).parameters, Processor().parameters());
  EXPECT_TRUE(window->HasTimer(timer::kLevelPoll)) << "the level poll goes on";
}

struct CaptionCase {
  Language language;
  std::vector<std::pair<std::string, std::string>> texts;
};

class SceneCaptionTest : public SceneDialogTest, public ::testing::WithParamInterface<CaptionCase> {};

// Every caption fits its control.
TEST_P(SceneCaptionTest, CaptionsAreReadable) {
  Open(GetParam().language);
  InDialog([&] {
    for (const auto& [name, text] : GetParam().texts) {
      const Control& control = driver.Get(name);
      EXPECT_EQ(control.Text(), text);
      EXPECT_LE(QFontMetrics(control.font()).horizontalAdvance(QString::fromStdString(text)), control.width())
          << name << " is too narrow for \"" << text << "\"";
    }
  });
}

INSTANTIATE_TEST_SUITE_P(
    BothLanguages, SceneCaptionTest,
    ::testing::Values(CaptionCase{kEnglish,
                                  {{"title_label", "Presets List"}, {"button_call", "Recall"}, {"button_save", "Save"},
                                   {"label_index", "No."}, {"label_name", "Name"}, {"button_close", "Close"}}},
                      CaptionCase{kChinese,
                                  {{"title_label", "调用/保存音效组"}, {"button_call", "调用"}, {"button_save", "保存"},
                                   {"label_index", "序号"}, {"label_name", "名字"}, {"button_close", "关闭"}}}));

}  // namespace
}  // namespace dsp::test
