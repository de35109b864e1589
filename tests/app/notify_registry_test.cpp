// Notification dispatch: exact names, the two name fragments of the device
// nodes, and the count of pairs the window registers of each type.
#include <map>
#include <set>

#include "app/notify_registry.h"
#include "main_window_fixture.h"
#include "protocol/commands.h"

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

// Through the window: a tree button dispatches "click" to the sync member
// and nothing under "dbclick".
class WindowDispatchTest : public MainWindowTest {};

TEST_F(WindowDispatchTest, TheSyncButtonSynchronisesOnClickOnly) {
  bus.Add("Hall", 2, 2);
  Start();
  Scan();
  const std::size_t sent = link.sent.size();
  harness.Raise("button_circle_0", "dbclick");
  harness.Raise("button_circle_0", "Click");
  harness.Advance(1500);
  EXPECT_TRUE(SentWithCommand(command::kInputDelay).empty());
  EXPECT_FALSE(window->Devices()[0].Synchronised());
  harness.Raise("button_circle_0", "click");
  EXPECT_TRUE(window->Devices()[0].Synchronised());
  EXPECT_GT(link.sent.size(), sent);
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

}  // namespace
}  // namespace dsp::test
