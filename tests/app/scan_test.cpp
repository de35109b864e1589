// Scanning the bus from the window: nodes per processor, the wait dialog,
// Esc, the rescan question, the level poll afterwards.
#include <regex>

#include "app/label_table.h"
#include "main_window_fixture.h"
#include "platform/check_box.h"
#include "platform/tree_view.h"
#include "protocol/commands.h"

namespace dsp::test {
namespace {

class ScanTest : public MainWindowTest {};

std::string Position(int i) { return "_" + std::to_string(i); }

TEST_F(ScanTest, ThreeProcessorsGetANodeEachWithTheirNamesAndAConnectionIndicator) {
  ThreeProcessors();
  Start();
  const std::int64_t clicked = harness.Clock().NowMs();
  Scan();
  // Two scan-start broadcasts 500 ms apart, then the scan time in 200 ms steps.
  EXPECT_LE(harness.Clock().NowMs() - clicked, 1000 + window->Config().scan_time_ms + 400);

  ASSERT_EQ(window->Devices().size(), 3u);
  EXPECT_EQ(driver.Get<TreeNode>("treenode_device").ChildCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const DeviceRecord& record = window->Devices()[static_cast<std::size_t>(i)];
    EXPECT_EQ(record.Address(), i + 1);
    const SimProcessor* processor = bus.FindByAddress(static_cast<std::uint8_t>(i + 1));
    ASSERT_NE(processor, nullptr);
    EXPECT_EQ(record.Name(), processor->name());
    EXPECT_EQ(record.Inputs(), processor->inputs());
    EXPECT_EQ(record.Outputs(), processor->outputs());
    EXPECT_FALSE(record.Synchronised());

    EXPECT_TRUE(driver.Get("treenode_device" + Position(i)).IsVisible());
    EXPECT_EQ(harness.Text("edit_device_name" + Position(i)), processor->name());
    EXPECT_EQ(harness.Text("label_tips" + Position(i)), "");
    EXPECT_EQ(harness.Text("label_device_address" + Position(i)), std::to_string(i + 1));
    EXPECT_EQ(harness.Text("label_circle" + Position(i)), SyncIndicatorText(kEnglish));
    driver.Get<CheckBox>("checkbox_connect_status" + Position(i));
    driver.Get("button_circle" + Position(i));
  }
  EXPECT_TRUE(window->HasTimer(timer::kLevelPoll));
  EXPECT_FALSE(window->HasTimer(timer::kScan));
  EXPECT_TRUE(harness.Dialogs().Messages().empty());

  // The level poll runs after the scan: each processor's indicator shows
  // whether it answers. One just found has answered, so it shows answering
  // before its first poll too, and while selecting it holds the poll back.
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(harness.Check("checkbox_connect_status" + Position(i))) << i;
  Select(2);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(harness.Check("checkbox_connect_status" + Position(i))) << i;
  harness.Advance(1000);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(harness.Check("checkbox_connect_status" + Position(i))) << i;
  bus.FindByAddress(2)->faults().silent_after = 0;
  harness.Advance(1000);
  EXPECT_TRUE(harness.Check("checkbox_connect_status_0"));
  EXPECT_FALSE(harness.Check("checkbox_connect_status_1"));
  EXPECT_TRUE(harness.Check("checkbox_connect_status_2"));
}

TEST_F(ScanTest, TheWaitDialogSaysScanning) {
  bus.Add("Hall", 8, 8);
  Start(kChinese);
  harness.At(700, [&] {
    Window* dialog = Window::AllWindows().front();
    EXPECT_EQ(dialog->ClassName(), "WaitDialog");
    EXPECT_EQ(dialog->Title(), "Scanning");
    EXPECT_EQ(dialog->FindControl("title_label")->Text(), "扫描中...");
  });
  Scan();
  EXPECT_EQ(window->Devices().size(), 1u);
  EXPECT_EQ(harness.Text("label_circle_0"), "点击同步参数");
}

TEST_F(ScanTest, AnEmptyBusKeepsTheDialogForTheScanTimeAndFindsNothing) {
  Start();
  const std::int64_t clicked = harness.Clock().NowMs();
  Scan();
  const std::int64_t shown = harness.Clock().NowMs() - clicked;
  EXPECT_GE(shown, 1000 + window->Config().scan_time_ms);
  EXPECT_LE(shown, 1000 + window->Config().scan_time_ms + 400);
  EXPECT_TRUE(window->Devices().empty());
  EXPECT_EQ(driver.Get<TreeNode>("treenode_device").ChildCount(), 0);
  EXPECT_FALSE(window->HasTimer(timer::kLevelPoll));
}

TEST_F(ScanTest, EscStopsTheScanAndASecondEscDoesNothing) {
  ThreeProcessors();
  Start();
  std::size_t asks_before_esc = 0;
  harness.At(1500, [&] {
    driver.Key("title_label", UiKey::kEscape);
    asks_before_esc = SentWithCommand(command::kScanAsk).size();
  });
  const std::int64_t clicked = harness.Clock().NowMs();
  Scan();
  EXPECT_LE(harness.Clock().NowMs() - clicked, 1800);
  EXPECT_FALSE(window->HasTimer(timer::kScan));
  EXPECT_EQ(SentWithCommand(command::kScanAsk).size(), asks_before_esc) << "no asks after Esc";
  EXPECT_FALSE(window->SendMessage(kWmChar, kCharEscape, 0)) << "no scan runs: Esc is left to the window";
}

TEST_F(ScanTest, ARescanAsksFirstAndStartsFromAddressOne) {
  ScanThreeProcessors();
  ASSERT_EQ(window->Devices().size(), 3u);
  const std::size_t starts = SentWithCommand(command::kScanStart).size();
  harness.Dialogs().AnswerNextMessage(kIdOk);
  Scan();
  EXPECT_EQ(Boxes(), (MessageBoxes{{"Rescran ?", "Comfirm"}}));
  EXPECT_EQ(harness.Dialogs().Messages()[0].buttons, MessageButtons::kOk);
  EXPECT_EQ(SentWithCommand(command::kScanStart).size(), starts + 2);
  ASSERT_EQ(window->Devices().size(), 3u);
  EXPECT_EQ(window->Devices()[0].Address(), 1);
  EXPECT_EQ(driver.Get<TreeNode>("treenode_device").ChildCount(), 3);
}

// Eight processors that all answer a scan ask at once are not all found in
// the skin's scan time: the window says so after the wait dialog.
struct CutShortText {
  Language language;
  const char* pattern;
};

class ScanCutShort : public ScanTest, public ::testing::WithParamInterface<CutShortText> {};

TEST_P(ScanCutShort, SaysHowManyWereFoundAndALongerScanTime) {
  for (int i = 0; i < 8; ++i) bus.Add("Unit " + std::to_string(i + 1), 1, 1);
  Start(GetParam().language);
  harness.Dialogs().AnswerNextMessage(kIdOk);
  Scan();
  ASSERT_LT(window->Devices().size(), 8u);
  ASSERT_EQ(harness.Dialogs().Messages().size(), 1u);
  const std::string found = std::to_string(window->Devices().size());
  EXPECT_TRUE(std::regex_match(LastMessage(), std::regex(std::regex_replace(GetParam().pattern, std::regex("N"), found))))
      << LastMessage();
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ScanCutShort,
    ::testing::Values(CutShortText{kEnglish,
                                   "Found N processor\\(s\\), but the scan time ran out while processors were still "
                                   "answering\\. Set the scan time to [1-9][0-9]*000 ms in the settings and scan "
                                   "again to find the rest\\."},
                      CutShortText{kChinese, "已找到 N 台设备，但扫描时间用完时仍有设备在应答。请在设置中将扫描时间设为 "
                                             "[1-9][0-9]*000 毫秒后重新扫描，以找到其余设备。"}),
    [](const ::testing::TestParamInfo<CutShortText>& info) {
      return info.param.language == kEnglish ? std::string("English") : std::string("Chinese");
    });

}  // namespace
}  // namespace dsp::test
