// The title bar's tool buttons: the settings dialog (port and scan time,
// applied only on OK) and the trace window.
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <limits>
#include <optional>
#include <thread>

#include "dialogs/setting_dialog.h"
#include "link/port_name.h"
#include "persist/network_port_setting.h"
#include "platform/combo.h"
#include "main_window_fixture.h"

namespace dsp::test {
namespace {

TEST(TypedScanTimeTest, OnlyLeadingDigitsAboveZeroAreATime) {
  const struct {
    const char* typed;
    std::optional<std::int64_t> time;
  } cases[] = {{"250", 250},         {"250ms", 250},        {"1", 1},
               {"0", std::nullopt},  {"abc", std::nullopt}, {"", std::nullopt},
               {"-5", std::nullopt}, {" 7", std::nullopt},  {"99999999999", 99999999999},
               {"99999999999999999999", std::numeric_limits<std::int64_t>::max()}};
  for (const auto& c : cases) EXPECT_EQ(TypedScanTime(c.typed), c.time) << '"' << c.typed << '"';
}

class SettingsTest : public MainWindowTest {
 protected:
  static constexpr const char* kOtherPort = "/dev/ttyUSB7";

  void SetUp() override {
    bus.Add("Hall", 2, 2);
    link.other_ports = {kOtherPort};
    Start();
    scan_time = window->Config().scan_time_ms;
  }
  // Opens the settings dialog and acts in it; `inside` ends by closing it.
  void InSettings(std::function<void()> inside) {
    harness.At(200, std::move(inside));
    driver.Click("button_set");
  }
  std::uint32_t scan_time = 0;
};

TEST_F(SettingsTest, AnUnusableScanTimeStaysInTheEditAndTheOldOneIsKept) {
  harness.Dialogs().AnswerNextMessage(kIdCancel);
  InSettings([this] {
    EXPECT_EQ(harness.Text("edit_scan_time"), std::to_string(scan_time));
    driver.Type("edit_scan_time", "0");
    EXPECT_EQ(harness.Text("edit_scan_time"), "0");
    driver.Type("edit_scan_time", "abc");
    EXPECT_EQ(harness.Text("edit_scan_time"), "abc");
    driver.Click("button_ok");
  });
  EXPECT_EQ(window->Config().scan_time_ms, scan_time);
  EXPECT_EQ(LastBox(), (TextAndCaption{"Сканировать", "Question"})) << "the rescan is offered after OK";
}

// The configuration and dspctl refuse scans longer than an hour; so does
// the dialog, saying so, and the edit shows the time kept.
TEST_F(SettingsTest, AScanTimeAboveAnHourIsRefusedWithAMessage) {
  harness.Dialogs().AnswerNextMessage(kIdOk);
  harness.Dialogs().AnswerNextMessage(kIdOk);
  harness.Dialogs().AnswerNextMessage(kIdCancel);
  InSettings([this] {
    driver.Type("edit_scan_time", "3600000");
    EXPECT_EQ(harness.Text("edit_scan_time"), "3600000");
    for (const char* typed : {"3600001", "99999999999999999999"}) {
      driver.Type("edit_scan_time", typed);
      EXPECT_EQ(LastMessage(), "The scan time can be at most 3600000 ms (an hour).");
      EXPECT_EQ(harness.Text("edit_scan_time"), "3600000");
    }
    driver.Wheel("edit_scan_time", true);
    EXPECT_EQ(harness.Text("edit_scan_time"), "3600000") << "no step beyond the hour";
    driver.Click("button_ok");
  });
  EXPECT_EQ(window->Config().scan_time_ms, kLongestScanMs);
  EXPECT_EQ(Boxes().size(), 3u);
}

TEST_F(SettingsTest, StepsStopAtOneAndComeAtMostOncePer50Ms) {
  harness.Dialogs().AnswerNextMessage(kIdCancel);
  InSettings([this] {
    driver.Type("edit_scan_time", "1");
    driver.Wheel("edit_scan_time", false);
    EXPECT_EQ(harness.Text("edit_scan_time"), "1");
    harness.At(60, [this] {
      driver.Wheel("edit_scan_time", true);
      driver.Wheel("edit_scan_time", true);
      EXPECT_EQ(harness.Text("edit_scan_time"), "2") << "the second notch came within 50 ms";
      driver.Click("button_ok");
    });
  });
  EXPECT_EQ(window->Config().scan_time_ms, 2u);
}

TEST_F(SettingsTest, CancelKeepsPortAndScanTime) {
  InSettings([this] {
    driver.Select("combo_uart", 1);
    driver.Type("edit_scan_time", "300");
    driver.Click("button_cancel");
  });
  EXPECT_EQ(window->Config().scan_time_ms, scan_time);
  EXPECT_EQ(link.PortName(), SimPortLink::kPort);
  EXPECT_TRUE(harness.Dialogs().Messages().empty());
}

TEST_F(SettingsTest, OkWithAnotherPortReopensItAndTheRescanFindsWhatIsThere) {
  Scan();
  ASSERT_EQ(window->Devices().size(), 1u);
  harness.Dialogs().AnswerNextMessage(kIdOk);
  InSettings([this] {
    driver.Select("combo_uart", 1);
    driver.Type("edit_scan_time", "250ms");
    EXPECT_EQ(harness.Text("edit_scan_time"), "250");
    driver.Click("button_ok");
  });
  EXPECT_EQ(window->Config().scan_time_ms, 250u);
  EXPECT_EQ(link.PortName(), kOtherPort);
  EXPECT_TRUE(window->Devices().empty()) << "the rescan ran on the port that leads nowhere";
}

// A network port used before is offered; a typed one is read as dspctl
// reads --port, refused with what to write instead, or taken, chosen and
// remembered.
TEST_F(SettingsTest, ANetworkPortIsOfferedTypedRefusedOrTakenAndRemembered) {
  const std::string used = "tcp://rack.example:4001";
  const std::string typed = "rfc2217://[fd00::7]:4002";
  ASSERT_TRUE(RememberNetworkPort(SettingFile(), used).Ok());
  Start();
  link.other_ports.push_back(typed);
  std::string parser_says;
  ParsePortName("tcp://rack.example", parser_says);
  harness.Dialogs().AnswerNextMessage(kIdOk);
  harness.Dialogs().AnswerNextMessage(kIdCancel);
  InSettings([&] {
    const auto& combo = dynamic_cast<const Combo&>(driver.Get("combo_uart"));
    ASSERT_EQ(combo.ItemCount(), 3);
    EXPECT_EQ(combo.ItemText(2), used);
    driver.Type("edit_network_port", "tcp://rack.example");
    EXPECT_EQ(LastMessage(), parser_says);
    EXPECT_EQ(harness.Text("edit_network_port"), "tcp://rack.example") << "kept to be corrected";
    driver.Type("edit_network_port", " " + typed + " ");
    EXPECT_EQ(combo.ItemText(combo.CurSel()), typed);
    EXPECT_EQ(harness.Text("edit_network_port"), "");
    driver.Click("button_ok");
  });
  EXPECT_EQ(link.PortName(), typed);
  EXPECT_EQ(ReadNetworkPorts(SettingFile()), (std::vector<std::string>{typed, used}));
}

// A link whose network connects hang until the test lets them fail, as on
// an unreachable host.
class HangingNetworkLink : public SharedLink {
 public:
  using SharedLink::SharedLink;
  bool OpensSlowly(const std::string& port) const override { return IsNetworkPortName(port); }
  bool Open(const std::string& port, int baud) override {
    if (!IsNetworkPortName(port)) return SharedLink::Open(port, baud);
    connecting = true;
    give_up.get_future().wait_for(std::chrono::seconds(20));
    connecting = false;
    return false;
  }
  std::string OpenError() const override { return "Cannot connect to rack.example port 4001 (timed out)"; }

  std::atomic<bool> connecting{false};
  std::promise<void> give_up;
};

// The connect runs off the UI thread: the window goes on while it hangs,
// and says why it failed once it ends.
TEST_F(SettingsTest, ANetworkPortConnectsWithoutHoldingUpTheWindow) {
  auto hanging = std::make_unique<HangingNetworkLink>(link);
  HangingNetworkLink& network = *hanging;
  Start(kEnglish, std::move(hanging));

  harness.Dialogs().AnswerNextMessage(kIdCancel);
  InSettings([this] {
    driver.Type("edit_network_port", "tcp://rack.example:4001");
    driver.Click("button_ok");
  });
  // Click returned while the connect hangs, so the window did not wait; the
  // opening thread may need a moment to start.
  for (int i = 0; i < 1000 && !network.connecting; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(network.connecting) << "the connect never started";
  EXPECT_EQ(LastMessage(), "Сканировать");

  network.give_up.set_value();
  while (network.connecting) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  harness.Dialogs().AnswerNextMessage(kIdOk);
  harness.Advance(MainWindow::kTraceMs);
  EXPECT_EQ(LastMessage(), "Cannot use tcp://rack.example:4001: Cannot connect to rack.example port 4001 (timed out)");
}

class TraceWindowTest : public MainWindowTest {
 protected:
  void SetUp() override { Start(); }
  std::string Shown() const { return harness.Text("receive_richedit"); }
  bool TraceWindowShown() const { return driver.Get("receive_richedit").OwnerWindow()->IsShown(); }
};

TEST_F(TraceWindowTest, TheButtonCreatesTheWindowOnceThenTogglesItAndItKeepsItsTraceAndLanguage) {
  link.trace = "A5 06 \n";
  harness.Advance(200);
  EXPECT_EQ(link.trace, "A5 06 \n") << "without the window the trace stays with the link";
  driver.Click("button_debug");
  ASSERT_TRUE(TraceWindowShown());
  harness.Advance(200);
  EXPECT_EQ(Shown(), "A5 06 \n");
  EXPECT_TRUE(link.trace.empty());
  driver.Click("button_close");
  EXPECT_FALSE(TraceWindowShown()) << "closing only hides";
  driver.Click("button_debug");
  EXPECT_TRUE(TraceWindowShown());
  EXPECT_EQ(Shown(), "A5 06 \n");
  driver.Click("button_debug");
  EXPECT_FALSE(TraceWindowShown());

  EXPECT_EQ(harness.Text("clear_button"), "Clear");
  driver.Click("button_option");
  driver.Click("menu_item_option_language");
  EXPECT_EQ(harness.Text("clear_button"), "清除");
}

TEST_F(TraceWindowTest, HexAppliesFromTheNextRefreshAndClearDropsOnlyWhatWasShown) {
  driver.Click("button_debug");
  link.trace = "abc";
  harness.Advance(200);
  EXPECT_FALSE(link.hex_trace);
  driver.SetCheck("hex_checkbox", true);
  EXPECT_FALSE(link.hex_trace) << "bytes already traced keep their form";
  link.trace = "\n";
  harness.Advance(200);
  EXPECT_TRUE(link.hex_trace);
  EXPECT_EQ(Shown(), "abc\n");
  driver.Click("clear_button");
  EXPECT_EQ(Shown(), "");
  link.trace = "41 \n";
  harness.Advance(200);
  EXPECT_EQ(Shown(), "41 \n");
}

}  // namespace
}  // namespace dsp::test
