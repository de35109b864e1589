// The device nodes: renaming, removing, hiding the list.
#include "link/frame.h"
#include "main_window_fixture.h"
#include "platform/check_box.h"
#include "platform/tree_view.h"
#include "protocol/commands.h"

namespace dsp::test {
namespace {

class DeviceTreeTest : public MainWindowTest {
 protected:
  void SetUp() override {
    ScanThreeProcessors();
  }
  int NodeCount() const { return driver.Get<TreeNode>("treenode_device").ChildCount(); }
  // Puts a name in the box and presses Enter (the box takes at most 20
  // characters from the keyboard, and the test keyboard types no Chinese).
  void EnterName(const std::string& edit, const std::string& name) {
    driver.Get(edit).SetText(name);
    harness.Raise(edit, "return");
  }
};

TEST_F(DeviceTreeTest, ANameOfTwentyBytesIsSentToTheProcessor100MsLater) {
  const std::string name = "Main Hall Left Stack";  // 20 bytes
  driver.Type("edit_device_name_1", name);
  EXPECT_EQ(window->Devices()[1].Name(), name);
  EXPECT_TRUE(SentWithCommand(command::kRename).empty());
  harness.Advance(100);
  const auto renames = SentWithCommand(command::kRename);
  ASSERT_EQ(renames.size(), 1u);
  EXPECT_EQ(renames[0], RenameFrame(2, name));
  EXPECT_EQ(renames[0].size(), 26u);
  EXPECT_EQ(renames[0][kOffsetKind], 0xF2);
  EXPECT_EQ(bus.FindByAddress(2)->name(), name);
  EXPECT_FALSE(window->HasTimer(WriteId::Rename(2).Value()));
  EXPECT_TRUE(harness.Dialogs().Messages().empty());

  harness.Raise("edit_device_name_1", "killfocus");
  harness.Advance(1000);
  EXPECT_EQ(SentWithCommand(command::kRename).size(), 1u) << "the name has not changed";
}

TEST_F(DeviceTreeTest, ANameOfTwentyOneBytesIsRefused) {
  const std::string old_name = window->Devices()[0].Name();
  harness.Dialogs().AnswerNextMessage(kIdOk);
  EnterName("edit_device_name_0", "Hall 一二三四五");  // 5 + 15 bytes
  EXPECT_TRUE(harness.Dialogs().Messages().empty());
  EnterName("edit_device_name_0", "Hall一二三四五六");  // 4 + 18 = 21 bytes
  harness.Advance(1000);
  EXPECT_EQ(Boxes(), (MessageBoxes{{"Exceeding the maximum length(20)", "Tips"}}));
  EXPECT_EQ(window->Devices()[0].Name(), "Hall 一二三四五");
  EXPECT_EQ(harness.Text("edit_device_name_0"), "Hall 一二三四五");
  EXPECT_EQ(SentWithCommand(command::kRename).size(), 1u);
  EXPECT_NE(bus.FindByAddress(1)->name(), old_name);
}

TEST_F(DeviceTreeTest, RemovingAProcessorForgetsItWithoutAWordOnTheBus) {
  Select(1);
  driver.Click("button_comp_0");
  Select(0);
  const std::size_t sent = link.sent.size();
  const std::string delete_button = driver.Get<TreeNode>("treenode_device_1").ChildAt(6)->Name();
  driver.Click(delete_button);
  EXPECT_EQ(NodeCount(), 2);
  EXPECT_EQ(driver.Find("treenode_device_1"), nullptr);
  EXPECT_EQ(driver.Find("edit_device_name_1"), nullptr);
  ASSERT_EQ(window->Devices().size(), 2u);
  EXPECT_EQ(window->Devices()[0].Address(), 1);
  EXPECT_EQ(window->Devices()[1].Address(), 3);
  EXPECT_EQ(window->Registry().Find("click", delete_button), nullptr);
  for (std::size_t i = sent; i < link.sent.size(); ++i) EXPECT_EQ(link.sent[i][kOffsetCommand], command::kLevelPoll);

  // The third processor is now the second row of the tree.
  Select(1);
  EXPECT_EQ(window->SelectedDevice()->Address(), 3);
  EXPECT_TRUE(window->Devices()[1].Synchronised());
  EXPECT_TRUE(driver.Get("window_home").IsVisible()) << "nothing of the removed processor's pages is kept";
}

TEST_F(DeviceTreeTest, RemovingTheLastProcessorLeavesTheOfflineRecord) {
  for (int position = 0; position < 3; ++position) {
    driver.Click(driver.Get<TreeNode>("treenode_device_" + std::to_string(position)).ChildAt(6)->Name());
  }
  EXPECT_EQ(NodeCount(), 0);
  EXPECT_TRUE(window->Devices().empty());
  ASSERT_NE(window->SelectedDevice(), nullptr);
  EXPECT_EQ(window->SelectedDevice()->Address(), 0);
  EXPECT_EQ(window->SelectedDevice()->Name(), "offline");
}

TEST_F(DeviceTreeTest, TheHideSwitchFoldsTheListAwayAndNewNodesFollowIt) {
  const auto hidden_controls = driver.Get("checkbox_hide_device_list").CustomAttribute("hidecontrols");
  ASSERT_TRUE(hidden_controls);
  driver.SetCheck("checkbox_hide_device_list", true);
  EXPECT_FALSE(driver.Get("device").IsVisible());
  EXPECT_TRUE(driver.Get("checkbox_hide_device_list").IsVisibleInWindow()) << "the switch must not hide itself";
  window->StartScan();
  ASSERT_EQ(NodeCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(driver.Get("treenode_device_" + std::to_string(i)).IsVisible()) << i;

  driver.SetCheck("checkbox_hide_device_list", false);
  EXPECT_TRUE(driver.Get("device").IsVisible());
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(driver.Get("treenode_device_" + std::to_string(i)).IsVisible()) << i;
}

// Hiding the list stores the open pages of the selected processor; they
// come back when it is selected again.
TEST_F(DeviceTreeTest, HidingTheListKeepsTheSelectedProcessorsPages) {
  Select(0);
  Select(1);
  driver.Click("button_input_eq_1");
  driver.SetCheck("checkbox_hide_device_list", true);
  driver.Click("button_close_input_eq");
  ASSERT_TRUE(driver.Get("window_home").IsVisible());
  driver.SetCheck("checkbox_hide_device_list", false);
  Select(0);
  Select(1);
  EXPECT_TRUE(driver.Get("window_input_eq").IsVisible());
  EXPECT_FALSE(driver.Get("window_home").IsVisible());
}

}  // namespace
}  // namespace dsp::test
