#include "main_window_fixture.h"

#include <sstream>

#include "link/frame.h"
#include "persist/language_setting.h"
#include "persist/parameter_layout.h"
#include "protocol/procedure_driver.h"
#include "sim/sim_link.h"

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

namespace {

class OneRecordHost : public ProcedureHost {
 public:
  explicit OneRecordHost(DeviceList& devices) : devices_(devices) {}
  DeviceRecord* SelectedDevice() override { return &devices_.front(); }

 private:
  DeviceList& devices_;
};

// The parameter-file keys whose values differ, on all eight channels of
// each side, for the failure message.
std::string Differences(const DeviceRecord& window, const DeviceRecord& processor) {
  DeviceRecord a(0, {}, kChannelsPerSide, kChannelsPerSide, "");
  DeviceRecord b = a;
  a.CopyParametersFrom(window);
  b.CopyParametersFrom(processor);
  std::ostringstream out;
  layout::ForEachKey(a, [&](const layout::Key& key) {
    if (key.Get(a) != key.Get(b)) {
      out << "\n[" << key.section << "] " << key.name << ": window " << key.Get(a) << ", processor " << key.Get(b);
    }
  });
  return out.str();
}

}  // namespace

void MainWindowTest::ExpectProcessorFollowed(int position) {
  harness.Advance(500);
  // The processor keeps no level for a matrix cell that is off.
  DeviceRecord shown = window->Devices()[static_cast<std::size_t>(position)];
  for (int in = 0; in < shown.Inputs(); ++in) {
    for (int out = 0; out < shown.Outputs(); ++out) {
      if (!shown.RouterEnable(in, out)) shown.SetRouter(in, out, 0);
    }
  }
  DeviceList fresh;
  fresh.emplace_back(shown.Address(), shown.ChipId(), shown.Inputs(), shown.Outputs(), shown.Name());
  SimLink own_link(bus);
  OneRecordHost host(fresh);
  ProcedureDriver reader(own_link, host, fresh, window->Config());
  reader.StartReadAll(0);
  ProcedureEnd end = ProcedureEnd::kRunning;
  while (end == ProcedureEnd::kRunning) {
    bus.Advance(std::chrono::milliseconds(reader.PeriodMs()));
    end = reader.Tick();
  }
  ASSERT_EQ(end, ProcedureEnd::kSucceeded) << "the processor did not answer the read";
  EXPECT_TRUE(fresh.front().SameParametersAs(shown)) << Differences(shown, fresh.front());
}

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
