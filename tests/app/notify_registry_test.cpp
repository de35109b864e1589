// Notification dispatch: exact names, the two name fragments of the device
// nodes, the count of pairs the window registers of each type, and the
// skin's controls behind those names.
#include <functional>
#include <map>
#include <set>

#include "app/label_table.h"
#include "app/notify_registry.h"
#include "controls/eq_graph.h"
#include "main_window_fixture.h"
#include "platform/check_box.h"
#include "platform/combo.h"
#include "platform/edit.h"
#include "platform/list.h"
#include "platform/slider.h"
#include "platform/tree_view.h"

namespace dsp::test {
namespace {

class DispatchTest : public ::testing::Test {
 protected:
  NotifyHandler Record(std::string what) {
    return [this, what](Notification&) { calls.push_back(what); };
  }
  // What runs for `name` under `type` (empty when nothing does).
  std::string Dispatch(std::string_view type, std::string_view name) {
    calls.clear();
    Notification notification;
    if (const NotifyHandler* handler = registry.Find(type, name)) (*handler)(notification);
    return calls.empty() ? "" : calls.front();
  }

  NotifyRegistry registry;
  std::vector<std::string> calls;
};

TEST_F(DispatchTest, ExactNamesUnderTheirOwnTypeOnlyAndCaseCounts) {
  registry.Register("click", "button_scan", Record("scan"));
  registry.Register("selectchanged", "checkbox_hide_device_list", Record("hide"));
  EXPECT_EQ(Dispatch("click", "button_scan"), "scan");
  EXPECT_EQ(Dispatch("dbclick", "button_scan"), "") << "registered under click only";
  EXPECT_EQ(Dispatch("click", "checkbox_hide_device_list"), "");
  EXPECT_EQ(Dispatch("Click", "button_scan"), "");
  EXPECT_EQ(Dispatch("click", "Button_scan"), "");
  EXPECT_EQ(Dispatch("click", "button_scan "), "");
  EXPECT_EQ(Dispatch("unknown", "button_scan"), "");
}

TEST_F(DispatchTest, DeviceNodeControlsAreFoundByTheirNameFragments) {
  registry.Register("killfocus", "edit_device_name", Record("name"));
  registry.Register("return", "edit_device_name", Record("name"));
  registry.Register("click", "button_circle", Record("sync"));
  registry.Register("click", "edit_device_name", Record("name"));
  EXPECT_EQ(Dispatch("killfocus", "edit_device_name_3"), "name");
  EXPECT_EQ(Dispatch("return", "edit_device_name_12"), "name");
  EXPECT_EQ(Dispatch("click", "button_circle_2"), "sync");
  EXPECT_EQ(Dispatch("click", "x_button_circle"), "sync") << "anywhere in the name";
  EXPECT_EQ(Dispatch("click", "button_circle_edit_device_name_1"), "name") << "the device-name fragment comes first";
  EXPECT_EQ(Dispatch("dbclick", "button_circle_0"), "") << "no fragment entry under dbclick";
  EXPECT_EQ(Dispatch("killfocus", "button_circle_0"), "");
  EXPECT_EQ(Dispatch("click", "Button_Circle_0"), "");
}

TEST_F(DispatchTest, AnExactEntryBeatsAFragmentAndEntriesCanGo) {
  registry.Register("click", "button_circle", Record("sync"));
  registry.Register("click", "button_circle_delete_0", Record("delete"));
  EXPECT_EQ(Dispatch("click", "button_circle_delete_0"), "delete");
  registry.Unregister("click", "button_circle_delete_0");
  EXPECT_EQ(Dispatch("click", "button_circle_delete_0"), "sync");
  registry.Register("click", "button_circle", Record("other"));
  EXPECT_EQ(Dispatch("click", "button_circle_1"), "other") << "registering again replaces";
}

// How many pairs the finished program registers of each type: a control
// that loses its handler, or a family registered for one channel too few,
// changes a count. The installation backup and restore add two "itemclick"
// pairs and the equalisers' filter import two "click" pairs to the counts
// the program was first built to.
const std::map<std::string, std::size_t> kRegisteredCounts = {
    {"click", 244},       {"selectchanged", 169}, {"dbclick", 76},     {"mouseenter", 64},      {"mouseleave", 64},
    {"killfocus", 56},    {"return", 54},         {"direction", 53},   {"scroll", 53},          {"valuechanged", 48},
    {"setfocus", 32},     {"itemclick", 28},      {"headerclick", 16}, {"movevaluechanged", 16}, {"itemselect", 7},
    {"windowinit", 1},    {"windowsize", 1}};

class RegisteredPairsTest : public MainWindowTest {
 protected:
  RegisteredPairsTest() {
    MainWindowSetup setup;
    setup.link = TakeLink();
    window = std::make_unique<MainWindow>(std::move(setup));
  }
};

TEST_F(RegisteredPairsTest, EachTypeHasItsCountOfPairs) {
  std::map<std::string, std::size_t> counts;
  for (const std::string& type : window->Registry().Types()) {
    const auto names = window->Registry().Names(type);
    counts[type] = std::set<std::string>(names.begin(), names.end()).size();
  }
  EXPECT_EQ(counts, kRegisteredCounts);
}

template <class... Kinds>
bool OneOf(const Control* control) {
  return ((dynamic_cast<const Kinds*>(control) != nullptr) || ...);
}

// Every name the window handles a notification of is a control of the main
// window's skin (the menus' items live in the menus' own skins), and where
// only one kind of control raises the notification, of that kind: a control
// missing or of another kind would leave its handler deaf.
class HandledControlsTest : public MainWindowTest {};

TEST_F(HandledControlsTest, EveryHandledNameIsAControlOfAKindThatRaisesTheNotification) {
  Start();
  const std::map<std::string, std::function<bool(const Control*)>> kinds = {
      {"return", OneOf<Edit>},
      {"movevaluechanged", OneOf<Slider>},
      {"selectchanged", OneOf<CheckBox, EqGraph>},
      {"headerclick", OneOf<ListHeaderItem>},
      {"itemselect", OneOf<Combo, TreeView, List>}};
  std::size_t checked = 0;
  for (const std::string& type : window->Registry().Types()) {
    for (const std::string& name : window->Registry().Names(type)) {
      if (name.starts_with("menu_item_") || name == NotifyRegistry::kDeviceNameFragment ||
          name == NotifyRegistry::kSyncButtonFragment) {
        continue;
      }
      const Control* control = name == "main_window" ? window->Root() : window->FindControl(name);
      ASSERT_NE(control, nullptr) << type << ": no control named " << name;
      const auto kind = kinds.find(type);
      EXPECT_TRUE(kind == kinds.end() || kind->second(control)) << type << ": " << name << " is a "
                                                                << control->ClassName();
      ++checked;
    }
  }
  EXPECT_GT(checked, 900u);
  for (const auto& [name, texts] : LabelTable()) EXPECT_NE(window->FindControl(name), nullptr) << name;
}

}  // namespace
}  // namespace dsp::test
