#include "main_window_fixture.h"

#include "link/frame.h"
#include "persist/language_setting.h"

namespace dsp::test {

MainWindowTest::~MainWindowTest() {
  window.reset();
  EXPECT_EQ(harness.Dialogs().UnusedAnswers(), 0u) << "a scripted answer was never asked for";
}

void MainWindowTest::ThreeProcessors() {
  bus.Add("Hall", 8, 8);
  bus.Add("Stage", 4, 8);
  bus.Add("Lobby", 2, 4);
}

void MainWindowTest::Start(int language) {
  window.reset();
  link.Close();
  ASSERT_TRUE(WriteLanguage(SettingFile(), language).Ok());
  MainWindowSetup setup;
  setup.link = TakeLink();
  setup.preferred_ports = preferred_ports;
  setup.setting_file = SettingFile();
  window = std::make_unique<MainWindow>(std::move(setup));
  window->Create(nullptr, "dspdesk");
  window->ShowWindow();
}

void MainWindowTest::Scan() { driver.Click("button_scan"); }

void MainWindowTest::Select(int position) { driver.Select("treeview_device_list", position + 1); }

std::vector<Bytes> MainWindowTest::SentWithCommand(std::uint8_t command) const {
  std::vector<Bytes> frames;
  for (const Bytes& frame : link.sent) {
    if (frame.size() > kOffsetCommand && frame[kOffsetCommand] == command) frames.push_back(frame);
  }
  return frames;
}

std::vector<std::string> MainWindowTest::MessageTexts() {
  std::vector<std::string> texts;
  for (const MessageBoxCall& call : harness.Dialogs().Messages()) texts.push_back(call.text);
  return texts;
}

std::string MainWindowTest::LastMessage() {
  const auto& messages = harness.Dialogs().Messages();
  return messages.empty() ? "" : messages.back().text;
}

}  // namespace dsp::test
