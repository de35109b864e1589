#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../support/temp_dir.h"
#include "app/main_window.h"
#include "platform/testing/ui_harness.h"
#include "sim/sim_bus.h"
#include "sim_port_link.h"

namespace dsp::test {

using enum Language;

// A message box as the user saw it: its text and its caption.
using TextAndCaption = std::pair<std::string, std::string>;
using MessageBoxes = std::vector<TextAndCaption>;

// The main window on the real skin, on the manual clock, over a simulated
// bus, with its Setting.ini in a fresh folder. Every message box must be
// answered (or is a failure); they are all recorded.
class MainWindowTest : public ::testing::Test {
 protected:
  // With this seed the three processors of ThreeProcessors() are all found
  // within the skin's scan time.
  static constexpr std::uint64_t kSeed = 1;

  ~MainWindowTest() override;

  void ThreeProcessors();
  // ThreeProcessors, then Start in `language` and Scan: none is selected.
  void ScanThreeProcessors(Language language = Language::kEnglish);
  // A processor of 2 inputs and 2 outputs for each name, then Start and Scan.
  void ScanSmallProcessors(const std::vector<std::string>& names, Language language = Language::kEnglish);
  // Builds, creates and shows the window with Setting.ini saying
  // `language`: the window start runs. A window started before is closed
  // first, as when the program is run again. The window gets `port_link`
  // when given, else TakeLink().
  void Start(Language language = Language::kEnglish, std::unique_ptr<PortLink> port_link = nullptr);
  // The window's link, on the test's simulated port.
  std::unique_ptr<PortLink> TakeLink() { return std::make_unique<SharedLink>(link); }
  // Clicks the scan button; returns once the wait dialog has closed.
  void Scan();
  // Clicks the tree row of the processor at `position`; a synchronisation
  // it starts has ended when this returns.
  void Select(int position);
  // Selects the processor of that name as Select does; returns its position.
  int SelectNamed(const std::string& name);
  // Opens the menu (file or option) that holds `item` and clicks the item.
  void Choose(const std::string& item);
  // Chooses `item`, answering its message box with OK and, when `file` is
  // given, the file dialog before it with `file`.
  void ChooseAnswered(const std::string& item, const std::optional<std::string>& file = std::nullopt);

  std::vector<Bytes> SentWithCommand(std::uint8_t command) const;
  // Lets the pending writes go out, reads every parameter of the processor
  // at `position` into a fresh record (over a link of its own) and expects
  // it to equal the window's record of that processor.
  void ExpectProcessorFollowed(int position);
  // Every parameter of the processor `like` names (address, counts), read
  // over a link of its own.
  DeviceRecord ReadProcessor(const DeviceRecord& like);
  MessageBoxes Boxes();
  // The last message box; an empty one when none was shown.
  TextAndCaption LastBox();
  std::string LastMessage() { return LastBox().first; }
  std::string SettingFile() const { return dir.File("Setting.ini"); }

  dsp::testing::TempDir dir;
  SimBus bus{kSeed};
  UiHarness harness{[](const std::string& message) { ADD_FAILURE() << message; }};
  const UiDriver& driver = harness.Driver();
  SimPortLink link{bus, harness.Clock()};
  std::vector<std::string> preferred_ports;
  std::unique_ptr<MainWindow> window;
};

}  // namespace dsp::test
