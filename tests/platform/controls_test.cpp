// Controls as the application uses them: children created from attribute
// lists at run time, lists of check rows, scroll views, custom attributes,
// control timers and exclusive check box groups.
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QScrollBar>

#include "platform/attribute_values.h"
#include "platform/check_box.h"
#include "platform/combo.h"
#include "platform/label.h"
#include "platform/list.h"
#include "platform/menu.h"
#include "platform/progress.h"
#include "platform/rich_edit.h"
#include "platform/scroll_view.h"
#include "platform/tree_view.h"
#include "ui_test_support.h"

namespace dsp::test {
namespace {

using DemoTest = DemoWindowTest;

TEST_F(DemoTest, AttributeListsBuildTreeChildrenThatAreFoundByName) {
  driver.Click("button_add_device");
  driver.Click("button_add_device");
  auto* tree = demo.Find<TreeView>("treeview_devices");
  auto* root = demo.Find<TreeNode>("treenode_root");
  ASSERT_EQ(root->ChildCount(), 2);
  auto* label = demo.Find<Label>("label_device_1");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Text(), "2");
  EXPECT_EQ(label->FixedWidth(), 28) << "the style list set the width";
  ASSERT_NE(demo.FindControl("button_remove_0"), nullptr);
  EXPECT_EQ(demo.FindControl("label_device"), nullptr) << "the base name was replaced";
  EXPECT_EQ(tree->NodeCount(), 3);
  EXPECT_EQ(tree->IndexOf(demo.Find<TreeNode>("treenode_device_1")), 2) << "the root node is index 0";
  EXPECT_EQ(demo.Find<TreeNode>("treenode_device_0")->ParentNode(), root);
  EXPECT_EQ(root->ChildNode(1), demo.Find<TreeNode>("treenode_device_1"));
}

TEST_F(DemoTest, ANodeRemovedByItsOwnButtonIsGoneAndTheSelectionFollows) {
  for (int i = 0; i < 3; ++i) driver.Click("button_add_device");
  auto* tree = demo.Find<TreeView>("treeview_devices");
  driver.Select("treeview_devices", 3);
  ASSERT_EQ(tree->SelectedIndex(), 3);
  driver.Click("button_remove_1");
  EXPECT_EQ(demo.FindControl("treenode_device_1"), nullptr);
  EXPECT_EQ(demo.FindControl("button_remove_1"), nullptr);
  EXPECT_EQ(harness.Text("label_status"), "Removed device 2");
  EXPECT_EQ(tree->SelectedIndex(), 2) << "the selected node moved up one place";
  harness.Advance(0);  // lets the removed node be deleted
  driver.Click("button_remove_2");
  EXPECT_EQ(tree->SelectedNode(), nullptr);
  EXPECT_EQ(tree->SelectedIndex(), -1);
}

TEST_F(DemoTest, HiddenTreeNodesKeepTheirIndexAndCollapsedNodesHideTheirChildren) {
  for (int i = 0; i < 2; ++i) driver.Click("button_add_device");
  auto* tree = demo.Find<TreeView>("treeview_devices");
  demo.Find<TreeNode>("treenode_device_0")->SetVisible(false);
  EXPECT_EQ(tree->IndexOf(demo.Find<TreeNode>("treenode_device_1")), 2);
  EXPECT_FALSE(harness.Visible("label_device_0"));
  EXPECT_THROW(driver.Select("treeview_devices", 1), UiActionError);
  demo.Find<TreeNode>("treenode_root")->SetExpanded(false);
  EXPECT_FALSE(demo.FindControl("button_remove_1")->isVisible());
}

TEST_F(DemoTest, ListRowsCarryACheckCellAndTextColumnsUnderTheHeader) {
  auto* list = demo.Find<List>("list_devices");
  ListItem* row = list->AddRow({"3", "Lobby"}, true);
  ASSERT_NE(row->RowCheckBox(), nullptr);
  EXPECT_FALSE(row->RowCheckBox()->Check());
  EXPECT_EQ((std::vector<std::string>{row->CellText(1), row->CellText(2), row->CellText(3)}),
            (std::vector<std::string>{"3", "Lobby", ""}));
  EXPECT_EQ(row->ChildAt(1)->FixedWidth(), 70) << "the header item fixes the column width";
  EXPECT_EQ(list->HeaderCount(), 3);
  row->RowCheckBox()->SetCheck(true);
  EXPECT_TRUE(list->Item(0)->RowCheckBox()->Check());
  list->RemoveAll();
  EXPECT_EQ(list->ItemCount(), 0);
  EXPECT_EQ(list->CurSel(), -1);
  EXPECT_FALSE(list->SelectItem(0));
}

TEST_F(DemoTest, RichEditAppendsWithoutBreaksAndShowsTheEnd) {
  auto* log = demo.Find<RichEdit>("richedit_log");
  log->SetText("");
  for (int i = 0; i < 200; ++i) log->AppendText("A5 06 F2 00 ");
  log->AppendText("E3 DB\n");
  const std::string text = log->Text();
  EXPECT_EQ(text.size(), 200 * 12 + 6u);
  EXPECT_EQ(text.substr(text.size() - 6), "E3 DB\n");
  auto* bar = static_cast<QAbstractScrollArea*>(log->InputWidget())->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(DemoTest, AScrollViewScrollsAChildIntoViewOnlyWhenItIsOutOfView) {
  auto* view = demo.Find<ScrollView>("scrollview_strips");
  view->Add<Label>("name='label_far' height='600'");
  auto* last = view->Add<Label>("name='label_end' text='end' height='30'");
  ASSERT_GT(view->ScrollRange().height(), 0);
  EXPECT_FALSE(view->ScrollToChild(demo.FindControl("layout_strips"))) << "already in view";
  EXPECT_TRUE(view->ScrollToChild(last));
  EXPECT_EQ(view->ScrollPos().y(), std::min(last->RectInWindow().y() + view->ScrollPos().y() - view->RectInWindow().y(),
                                            view->ScrollRange().height()));
  view->SetScrollPos({0, 0});
  EXPECT_EQ(view->ScrollPos(), QPoint(0, 0));
  EXPECT_TRUE(view->IsVerticalScrollBarVisible());
}

TEST_F(DemoTest, CustomAttributesCanBeReadChangedAndRemoved) {
  Control* root = demo.FindControl("treenode_root");
  EXPECT_EQ(root->CustomAttribute("labelstyle"), "name='label_device' width='28'");
  EXPECT_EQ(root->CustomAttribute("none"), std::nullopt);
  Control* panel = demo.FindControl("layout_input_2");
  panel->SetCustomAttribute("lastwidth", std::to_string(panel->FixedWidth()));
  panel->SetFixedWidth(120);
  EXPECT_EQ(panel->FixedWidth(), 120);
  panel->SetFixedWidth(std::stoi(*panel->CustomAttribute("lastwidth")));
  panel->RemoveCustomAttribute("lastwidth");
  EXPECT_EQ(panel->FixedWidth(), 84);
  EXPECT_EQ(panel->CustomAttribute("lastwidth"), std::nullopt);
  panel->SetFixedWidth(0);
  EXPECT_EQ(panel->maximumWidth(), QWIDGETSIZE_MAX) << "width 0 gives the width back to the layout";
}

TEST_F(DemoTest, AttributeListsApplyInOrderAndRejectBadValues) {
  Control* status = demo.FindControl("label_status");
  status->ApplyAttributeList("text='one' visible='false' bkcolor='#FF112233' tag='7'");
  EXPECT_EQ(status->Text(), "one");
  EXPECT_FALSE(status->IsVisible());
  EXPECT_EQ(status->BkColor().rgba(), 0xFF112233u);
  EXPECT_EQ(status->CustomAttribute("tag"), "7");
  EXPECT_THROW(status->ApplyAttributeList("width='x'"), AttributeError);
  EXPECT_THROW(status->ApplyAttributeList("bkimage='image/none.png'"), AttributeError);
  EXPECT_THROW(demo.Find<TreeNode>("treenode_root")->AddNew("Gauge"), AttributeError);
}

TEST_F(DemoTest, ImagesSetFromCodeFallBackFromPngToSvgAndMissingOnesAreNotFatal) {
  Control* logo = demo.FindControl("image_logo");
  logo->SetBkImage("image/checked.png");
  EXPECT_EQ(logo->BkImage(), "image/checked.png");
  EXPECT_FALSE(LoadSkinImage("image/checked.png").IsNull()) << "served by image/checked.svg";
  logo->SetBkImage("image/none.png");
  EXPECT_TRUE(LoadSkinImage("image/none.png").IsNull());
}

TEST_F(DemoTest, ControlTimersRestartWhenReArmed) {
  struct Ticking : Control {
    void OnTimer(std::uint32_t id) override { ticks.push_back(id); }
    std::vector<std::uint32_t> ticks;
  };
  auto* ticking = demo.Find<Container>("layout_left")->Add<Ticking>();
  ticking->SetTimer(5, 100);
  harness.Advance(80);
  ticking->SetTimer(5, 100);
  harness.Advance(80);
  EXPECT_TRUE(ticking->ticks.empty());
  harness.Advance(20);
  EXPECT_EQ(ticking->ticks, (std::vector<std::uint32_t>{5}));
  ticking->KillTimer(5);
  harness.Advance(500);
  EXPECT_EQ(ticking->ticks.size(), 1u);
}

TEST_F(DemoTest, AProgressBarShowsItsTextAsItStandsAndStopsAtItsEnd) {
  auto* meter = demo.Find<Progress>("progress_meter");
  auto* bar = meter->findChild<QProgressBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->isTextVisible());
  meter->SetText("45%");
  EXPECT_TRUE(bar->isTextVisible());
  EXPECT_EQ(bar->text(), "45%");
  meter->SetText("");
  EXPECT_FALSE(bar->isTextVisible());
  meter->SetValue(99);
  EXPECT_EQ(meter->Value(), meter->Max()) << "a value past the end shows the end";
}

TEST_F(DemoTest, GroupedCheckBoxesExcludeEachOther) {
  auto* layout = demo.Find<Container>("layout_left");
  auto* ms = layout->Add<CheckBox>("name='checkbox_unit_0' group='unit' selected='true'");
  auto* cm = layout->Add<CheckBox>("name='checkbox_unit_1' group='unit'");
  driver.Click("checkbox_unit_1");
  EXPECT_TRUE(cm->Check());
  EXPECT_FALSE(ms->Check());
  driver.Click("checkbox_unit_1");
  EXPECT_TRUE(cm->Check()) << "clicking the chosen one keeps it";
  cm->SetCheck(false);
  EXPECT_FALSE(cm->Check()) << "code may clear the group";
}

TEST_F(DemoTest, AComboStartsWithWhatTheSkinSelectsAndRefusesBadIndexes) {
  auto* combo = demo.Find<Combo>("combo_mode");
  EXPECT_EQ(combo->CurSel(), 1);
  EXPECT_EQ(combo->Text(), "Offline");
  EXPECT_FALSE(combo->SelectItem(3));
  combo->RemoveAll();
  EXPECT_EQ(combo->CurSel(), -1);
  combo->AddItem("COM3");
  EXPECT_EQ(combo->CurSel(), -1) << "adding does not choose";
  EXPECT_TRUE(combo->SelectItem(0));
  EXPECT_EQ(combo->Text(), "COM3");
}

TEST_F(DemoTest, FontsAndThePaletteComeFromTheSkin) {
  const QFont title = demo.FindControl("label_title")->font();
  EXPECT_TRUE(title.bold());
  EXPECT_EQ(title.pixelSize(), 17);
  EXPECT_EQ(demo.FindControl("label_status")->font().pixelSize(), 13) << "the default font";
  EXPECT_EQ(demo.Font(9).pixelSize(), 13) << "an unknown index gives the default font";
  EXPECT_EQ(demo.Widget()->palette().color(QPalette::Window), QColor(0x2B, 0x2B, 0x2B)) << "palette=\"dark\"";
}

TEST_F(DemoTest, AnOwnerMayDropItsMenuWhileHandlingTheMenusItem) {
  struct Owner : RecordingWindow {
    using RecordingWindow::RecordingWindow;
    std::unique_ptr<Menu> menu;
  } owner("view/DemoWindow.xml");
  owner.on_notify = [&owner](Notification& notification) {
    if (notification.type == notify::kItemClick) owner.menu.reset();
  };
  owner.Create(nullptr, "owner");
  owner.ShowWindow();
  owner.menu = Menu::Popup(owner, "menu/DemoMenu.xml", owner.Widget()->mapToGlobal(QPoint(10, 10)));
  driver.Click("menu_item_demo_about");
  EXPECT_EQ(owner.menu, nullptr);
  EXPECT_EQ(owner.Of("itemclick", "menu_item_demo_about").size(), 1u);
  harness.Advance(0);
}

}  // namespace
}  // namespace dsp::test
