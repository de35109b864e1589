// Notifications raised by real Qt mouse, key and wheel events on the demo
// skin, and the values set from code that must raise none.
#include <gtest/gtest.h>

#include <QSlider>
#include <QtTest/QTest>
#include <set>

#include "platform/check_box.h"
#include "platform/combo.h"
#include "platform/edit.h"
#include "platform/list.h"
#include "platform/menu.h"
#include "platform/progress.h"
#include "platform/slider.h"
#include "platform/tree_view.h"
#include "ui_test_support.h"

namespace dsp::test {
namespace {

using Params = std::vector<std::pair<std::uintptr_t, std::intptr_t>>;

class NotificationTest : public UiTest {
 protected:
  NotificationTest() : window(Open("view/DemoWindow.xml")) { window->Forget(); }

  // Types and senders of what arrived, in order, without focus and hover noise.
  std::vector<std::string> Events() const {
    const std::set<std::string> noise = {"setfocus", "killfocus", "mouseenter", "mouseleave"};
    std::vector<std::string> events;
    for (const Seen& one : window->seen) {
      if (!noise.contains(one.type)) events.push_back(one.type + " " + one.sender);
    }
    return events;
  }
  // The wParam and lParam of each notification of `type` (from `sender` when given), in order.
  Params Carried(const std::string& type, const std::string& sender = "") const {
    Params params;
    for (const Seen& one : window->Of(type, sender)) params.emplace_back(one.wparam, one.lparam);
    return params;
  }

  std::unique_ptr<RecordingWindow> window;
};

TEST_F(NotificationTest, AButtonClickRaisesClickStampedWithTheClock) {
  harness.Advance(1234);
  driver.Click("button_ask");
  ASSERT_EQ(window->Of("click").size(), 1u);
  EXPECT_EQ(window->Of("click")[0].sender, "button_ask");
  EXPECT_EQ(window->Of("click")[0].timestamp_ms, 1234);
}

TEST_F(NotificationTest, DoubleClickAndPointerMovesAreReported) {
  driver.DoubleClick("button_open");
  EXPECT_EQ(window->Of("dbclick", "button_open").size(), 1u);
  driver.Hover("button_ask");
  driver.Hover("button_dialog");
  EXPECT_EQ(window->Of("mouseenter", "button_ask").size(), 1u);
  EXPECT_EQ(window->Of("mouseleave", "button_ask").size(), 1u);
  EXPECT_EQ(window->Of("mouseenter", "button_dialog").size(), 1u);
  EXPECT_TRUE(window->Of("mouseleave", "button_dialog").empty());
}

TEST_F(NotificationTest, AnEditReportsFocusEnterArrowsAndWheel) {
  driver.Click("edit_gain_input_1");
  EXPECT_EQ(window->Of("setfocus", "edit_gain_input_1").size(), 1u);
  for (UiKey key : {UiKey::kUp, UiKey::kDown, UiKey::kLeft, UiKey::kRight}) driver.Key("edit_gain_input_1", key);
  EXPECT_EQ(Carried("direction", "edit_gain_input_1"), (Params{{38, 0}, {40, 0}, {37, 0}, {39, 0}}));
  driver.Wheel("edit_gain_input_1", true);
  driver.Wheel("edit_gain_input_1", false);
  EXPECT_EQ(Carried("scroll", "edit_gain_input_1"), (Params{{kScrollUp, 0}, {kScrollDown, 0}}));
  driver.Type("edit_gain_input_1", "3.5");
  EXPECT_EQ(window->Of("return", "edit_gain_input_1").size(), 1u);
  driver.Click("edit_gain_input_2");
  EXPECT_EQ(window->Of("killfocus", "edit_gain_input_1").size(), 1u);
  EXPECT_EQ(harness.Text("edit_gain_input_1"), "3.5");
}

// Whoever hears of a move reads the moved value: a page that stores it and
// sets it back on the slider must not pull the handle back to where it was.
TEST_F(NotificationTest, DraggingASliderReportsMovesThenTheReleasedValue) {
  auto& control = driver.Get<Slider>("slider_gain_input_0");
  auto* slider = static_cast<QSlider*>(control.InputWidget());
  const QPoint grab = *control.NamedPoint("handle");
  const int before = control.Value();
  std::vector<int> heard;
  window->on_notify = [&](Notification& notification) {
    if (notification.type == notify::kMoveValueChanged) heard.push_back(control.Value());
  };
  QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, grab);
  QTest::mouseMove(slider, grab + QPoint(0, 30));
  const int first_move = control.Value();
  QTest::mouseMove(slider, grab + QPoint(0, 60));
  EXPECT_EQ(heard, (std::vector<int>{first_move, control.Value()}));
  EXPECT_LT(first_move, before);
  EXPECT_TRUE(window->Of("valuechanged").empty()) << "nothing is final while the mouse is down";
  QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, grab + QPoint(0, 60));
  EXPECT_EQ(window->Of("valuechanged", "slider_gain_input_0").size(), 1u);
  EXPECT_LT(control.Value(), first_move);
}

TEST_F(NotificationTest, ACheckBoxClickReportsClickThenSelectChanged) {
  driver.SetCheck("checkbox_mute_input_2", true);
  EXPECT_EQ(Events(), (std::vector<std::string>{"click checkbox_mute_input_2", "selectchanged checkbox_mute_input_2"}));
  EXPECT_TRUE(harness.Check("checkbox_mute_input_2"));
}

TEST_F(NotificationTest, ChoosingAComboItemReportsTheNewAndOldIndex) {
  driver.Select("combo_mode", 2);
  driver.Select("combo_mode", 2);
  EXPECT_EQ(Carried("itemselect"), (Params{{2, 1}})) << "choosing the selected item again changes nothing";
}

TEST_F(NotificationTest, ClickingATreeNodeReportsItemClickAndTheSelectionIndex) {
  auto* root = window->Find<TreeNode>("treenode_root");
  root->AddChildNode("name='treenode_device_0' text='Hall'");
  root->AddChildNode("name='treenode_device_1' text='Stage'");
  driver.Select("treeview_devices", 2);
  EXPECT_EQ(Events(), (std::vector<std::string>{"itemclick treenode_device_1", "itemselect treeview_devices"}));
  EXPECT_EQ(Carried("itemselect"), (Params{{2, -1}}));
  driver.Key("treeview_devices", UiKey::kUp);
  EXPECT_EQ(window->Of("itemselect").back().wparam, 1u) << "the up key selects the node above";
}

TEST_F(NotificationTest, ListRowsHeadersAndCheckBoxCellsReport) {
  auto* list = window->Find<List>("list_devices");
  list->AddRow({"1", "Hall"}, true);
  list->AddRow({"2", "Stage"}, true);
  driver.Select("list_devices", 1);
  EXPECT_EQ(Carried("itemselect", "list_devices"), (Params{{1, -1}})) << "the new index and the old";
  EXPECT_EQ(window->Of("itemclick").size(), 1u);
  CheckBox* cell = list->Item(0)->RowCheckBox();
  cell->SetName("checkbox_row_0");
  driver.Click("checkbox_row_0");
  EXPECT_EQ(window->Of("selectchanged", "checkbox_row_0").size(), 1u);
  EXPECT_TRUE(cell->Check());
  driver.Click("list_header_address");
  EXPECT_EQ(window->Of("headerclick", "list_header_address").size(), 1u);
}

TEST_F(NotificationTest, AMenuItemRaisesItemClickOnItsOwnerAndClosesTheMenu) {
  std::unique_ptr<Menu> menu;
  window->on_notify = [&](Notification& notification) {
    if (notification.type == notify::kClick && notification.sender->Name() == "button_menu") {
      menu = Menu::Popup(*window, "menu/DemoMenu.xml", notification.sender->ScreenRect().bottomLeft());
    }
  };
  driver.Click("button_menu");
  ASSERT_TRUE(menu && menu->IsShown());
  driver.Click("menu_item_demo_clear");
  ASSERT_EQ(window->Of("itemclick").size(), 1u);
  EXPECT_EQ(window->Of("itemclick")[0].sender, "menu_item_demo_clear");
  EXPECT_FALSE(menu->IsShown());
  menu.reset();
}

TEST_F(NotificationTest, ACustomControlGetsWheelAndClickAndReportsThem) {
  driver.Wheel("meter_demo", true);
  ASSERT_EQ(window->Of("valuechanged", "meter_demo").size(), 1u);
  EXPECT_EQ(window->Of("valuechanged", "meter_demo")[0].wparam, 40u) << "the skin's level 35 plus one step";
  driver.Click("meter_demo");
  EXPECT_EQ(window->Of("click", "meter_demo").size(), 1u);
  EXPECT_EQ(window->Of("setfocus", "meter_demo").size(), 1u);
}

TEST_F(NotificationTest, ValuesSetFromCodeRaiseNothingUnlessAsked) {
  window->Find<CheckBox>("checkbox_run")->SetCheck(true);
  window->Find<Slider>("slider_gain_input_3")->SetValue(-100);
  window->Find<Combo>("combo_mode")->SelectItem(0);
  window->Find<TreeView>("treeview_devices")->SelectNode(0);
  window->Find<Edit>("edit_gain_input_3")->SetText("-10.0");
  window->Find<Progress>("progress_meter")->SetValue(5);
  auto* list = window->Find<List>("list_devices");
  list->AddRow({"1"});
  list->SelectItem(0);
  EXPECT_TRUE(window->seen.empty()) << window->seen.front().type << " from " << window->seen.front().sender;

  window->Find<CheckBox>("checkbox_run")->SetCheck(false, true);
  window->Find<Slider>("slider_gain_input_3")->SetValue(0, true);
  window->Find<Combo>("combo_mode")->SelectItem(2, true);
  window->Find<TreeView>("treeview_devices")->SelectNode(-1, true);
  list->SelectItem(-1, true);
  EXPECT_EQ(Events(), (std::vector<std::string>{"selectchanged checkbox_run", "valuechanged slider_gain_input_3",
                                                "itemselect combo_mode", "itemselect treeview_devices",
                                                "itemselect list_devices"}));
}

TEST_F(NotificationTest, TheHarnessRaisesAnyNotificationByName) {
  harness.Raise("edit_gain_input_0", "direction", kVkUp, 7);
  EXPECT_EQ(Carried("direction", "edit_gain_input_0"), (Params{{kVkUp, 7}}));
  EXPECT_THROW(harness.Raise("edit_none", "click"), UiActionError);
}

}  // namespace
}  // namespace dsp::test
