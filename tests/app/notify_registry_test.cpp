// Notification dispatch: exact names, the two name fragments of the device
// nodes, and the registered pairs against the documented table.
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

// The pairs the finished program registers, as the documentation lists
// them, with the counts it states per type.
using PairTable = std::map<std::string, std::set<std::string>>;

std::vector<std::string> Channels(const std::string& base, int count = 8) {
  std::vector<std::string> names;
  for (int n = 0; n < count; ++n) names.push_back(base + "_" + std::to_string(n));
  return names;
}

void Add(PairTable& table, std::initializer_list<const char*> types, const std::vector<std::string>& names) {
  for (const char* type : types) table[type].insert(names.begin(), names.end());
}

void AddChannels(PairTable& table, std::initializer_list<const char*> types, std::initializer_list<const char*> bases,
                 bool with_all = false) {
  for (const char* base : bases) {
    std::vector<std::string> names = Channels(base);
    if (with_all) names.push_back(std::string(base) + "_all");
    Add(table, types, names);
  }
}

std::vector<std::string> MatrixCells() {
  std::vector<std::string> cells;
  for (char in = 'a'; in <= 'h'; ++in) {
    for (char out = '1'; out <= '8'; ++out) cells.push_back(std::string("button_in_") + in + "_out_" + out);
  }
  return cells;
}

PairTable DocumentedPairs() {
  PairTable t;
  const std::vector<std::string> pages = {"button_home", "button_input", "button_input_eq", "button_input_delay",
                                          "button_noise_gate", "button_matrix_mix", "button_output",
                                          "button_output_eq", "button_output_delay", "button_comp",
                                          "button_limit", "button_energy"};
  Add(t, {"click"}, {"button_circle", "button_debug", "button_file", "button_option", "button_close",
                     "button_pink_noise_play", "button_pink_noise_stop", "button_matrix_mix_in_home",
                     "button_input_delay_reset", "button_output_delay_reset", "button_input_eq_copy",
                     "button_output_eq_copy", "button_input_eq_paste", "button_output_eq_paste",
                     "button_input_eq_reset", "button_output_eq_reset", "button_input_eq_left",
                     "button_output_eq_left", "button_input_eq_right", "button_output_eq_right",
                     "button_maximize", "button_normal", "button_minimize", "button_router_clear",
                     "button_router_reset", "button_scan", "button_set"});
  AddChannels(t, {"click"}, {"button_comp", "button_comp_start_gate", "button_input_delay", "button_input_delay_value",
                             "button_input_eq", "button_limit", "button_limit_start_gate", "button_noise_gate",
                             "button_noise_gate_start_gate", "button_output_eq", "button_output_delay",
                             "button_output_delay_value", "liner_limit", "liner_noise_gate",
                             "button_input_delay_reset", "button_output_delay_reset"});
  Add(t, {"click", "dbclick"}, pages);
  for (const std::string& page : pages) {
    if (page != "button_home") Add(t, {"click"}, {"button_close_" + page.substr(7)});
  }
  Add(t, {"click", "dbclick", "mouseenter", "mouseleave"}, MatrixCells());

  AddChannels(t, {"selectchanged"}, {"checkbox_comp", "checkbox_delay_input", "checkbox_delay_output",
                                     "checkbox_eq_enable_input", "checkbox_eq_enable_output", "checkbox_limit",
                                     "checkbox_mute_input", "checkbox_mute_output", "checkbox_noise_gate",
                                     "checkbox_polarity_input", "checkbox_polarity_output"},
              true);
  AddChannels(t, {"selectchanged"}, {"checkbox_input_delay", "checkbox_output_delay"});
  Add(t, {"selectchanged"}, Channels("checkbox_input_delay_unit", 3));
  Add(t, {"selectchanged"}, Channels("checkbox_output_delay_unit", 3));
  Add(t, {"selectchanged"}, Channels("checkbox_input_eq", 11));
  Add(t, {"selectchanged"}, Channels("checkbox_output_eq", 11));
  Add(t, {"selectchanged"},
      {"checkbox_comp_enable", "checkbox_input_delay", "checkbox_output_delay", "checkbox_hide_device_list",
       "checkbox_input_eq_bypass", "checkbox_output_eq_bypass", "checkbox_input_eq_enable",
       "checkbox_output_eq_enable", "graph_input_eq", "graph_output_eq", "checkbox_input_eq_show_control",
       "checkbox_output_eq_show_control", "checkbox_input_high_pass_enable", "checkbox_input_low_pass_enable",
       "checkbox_output_high_pass_enable", "checkbox_output_low_pass_enable", "checkbox_limit_enable",
       "checkbox_mute_input", "checkbox_input_muted", "checkbox_mute_output", "checkbox_output_muted",
       "checkbox_noise_gate_enable", "checkbox_polarity_input", "checkbox_input_polarity",
       "checkbox_polarity_output", "checkbox_output_polarity"});

  const std::vector<std::string> edits = {
      "edit_comp_ratio", "edit_comp_release_time", "edit_comp_start_gate", "edit_comp_start_time",
      "edit_input_eq_frequence", "edit_output_eq_frequence", "edit_input_eq_gain", "edit_output_eq_gain",
      "edit_input_eq_q", "edit_output_eq_q", "edit_input_high_pass_frequence", "edit_input_low_pass_frequence",
      "edit_output_high_pass_frequence", "edit_output_low_pass_frequence", "edit_limit_release_time",
      "edit_limit_start_gate", "edit_noise_gate_release_gate", "edit_noise_gate_release_time",
      "edit_noise_gate_start_gate", "edit_noise_gate_start_time", "edit_router_volume"};
  Add(t, {"killfocus", "return", "direction", "scroll"}, edits);
  AddChannels(t, {"killfocus", "return", "direction", "scroll"},
              {"edit_input_delay", "edit_output_delay", "edit_gain_input", "edit_gain_output"});
  Add(t, {"killfocus", "return"}, {"edit_device_name"});
  Add(t, {"killfocus"}, {"graph_input_eq", "graph_output_eq"});

  Add(t, {"valuechanged"}, {"liner_comp", "liner_limit", "liner_noise_gate", "graph_input_eq", "graph_output_eq",
                            "slider_comp_ratio", "slider_comp_release_time", "slider_comp_start_gate",
                            "slider_comp_start_time", "slider_limit_release_time", "slider_limit_start_gate",
                            "slider_noise_gate_release_gate", "slider_noise_gate_release_time",
                            "slider_noise_gate_start_gate", "slider_noise_gate_start_time", "slider_router_volume"});
  AddChannels(t, {"valuechanged"}, {"slider_input_delay", "slider_output_delay"});
  AddChannels(t, {"valuechanged", "movevaluechanged", "setfocus"}, {"slider_gain_input", "slider_gain_output"});
  AddChannels(t, {"setfocus"}, {"edit_gain_input", "edit_gain_output"});
  AddChannels(t, {"itemclick"}, {"list_item_input", "list_item_output"});
  Add(t, {"itemclick"}, {"menu_item_file_effect", "menu_item_file_load_all_from_pc", "menu_item_file_load_from_device",
                         "menu_item_file_load_from_pc", "menu_item_file_save_all_to_pc", "menu_item_file_save_to_pc",
                         "menu_item_option_device_copy", "menu_item_option_firmware_update",
                         "menu_item_option_language", "menu_item_option_reset"});
  AddChannels(t, {"headerclick"}, {"list_header_item_input", "list_header_item_output"});
  Add(t, {"itemselect"}, {"treeview_device_list", "combo_input_eq_type", "combo_output_eq_type",
                          "combo_input_high_pass_type", "combo_input_low_pass_type", "combo_output_high_pass_type",
                          "combo_output_low_pass_type"});
  Add(t, {"windowinit", "windowsize"}, {"main_window"});
  return t;
}

const std::map<std::string, std::size_t> kDocumentedCounts = {
    {"click", 242},       {"selectchanged", 169}, {"dbclick", 76},   {"mouseenter", 64},      {"mouseleave", 64},
    {"killfocus", 56},    {"return", 54},         {"direction", 53}, {"scroll", 53},          {"valuechanged", 48},
    {"setfocus", 32},     {"itemclick", 26},      {"headerclick", 16}, {"movevaluechanged", 16}, {"itemselect", 7},
    {"windowinit", 1},    {"windowsize", 1}};

// Pairs the program registers beyond the documented ones: the installation
// backup and restore, and the equalisers' import of a measured filter list.
PairTable Additions() {
  return {{"itemclick", {"menu_item_file_backup", "menu_item_file_restore"}},
          {"click", {"button_input_eq_import", "button_output_eq_import"}}};
}

TEST(DocumentedPairsTest, TheListAddsUpToTheDocumentedCounts) {
  const PairTable table = DocumentedPairs();
  std::map<std::string, std::size_t> counts;
  for (const auto& [type, names] : table) counts[type] = names.size();
  EXPECT_EQ(counts, kDocumentedCounts);
}

class RegisteredPairsTest : public MainWindowTest {
 protected:
  RegisteredPairsTest() {
    MainWindowSetup setup;
    setup.link = TakeLink();
    window = std::make_unique<MainWindow>(std::move(setup));
  }
};

// Every documented pair is registered, and nothing else but the additions.
TEST_F(RegisteredPairsTest, EveryDocumentedPairIsRegisteredAndNothingElse) {
  PairTable expected = DocumentedPairs();
  for (const auto& [type, names] : Additions()) expected[type].insert(names.begin(), names.end());
  const std::vector<std::string> types = window->Registry().Types();
  EXPECT_EQ(std::set<std::string>(types.begin(), types.end()).size(), expected.size());
  for (const auto& [type, names] : expected) {
    const auto registered = window->Registry().Names(type);
    EXPECT_EQ(std::set<std::string>(registered.begin(), registered.end()), names) << type;
  }
}

}  // namespace
}  // namespace dsp::test
