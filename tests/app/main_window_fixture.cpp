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

void MainWindowTest::ScanThreeProcessors(Language language) {
  ThreeProcessors();
  Start(language);
  Scan();
}

void MainWindowTest::ScanSmallProcessors(const std::vector<std::string>& names, Language language) {
  for (const std::string& name : names) bus.Add(name, 2, 2);
  Start(language);
  Scan();
}

void MainWindowTest::Start(Language language, std::unique_ptr<PortLink> port_link) {
  window.reset();
  link.Close();
  ASSERT_TRUE(WriteLanguage(SettingFile(), language).Ok());
  MainWindowSetup setup;
  setup.link = port_link ? std::move(port_link) : TakeLink();
  setup.preferred_ports = preferred_ports;
  setup.setting_file = SettingFile();
  window = std::make_unique<MainWindow>(std::move(setup));
  window->Create(nullptr, "dspdesk");
  window->ShowWindow();
}

void MainWindowTest::Scan() { driver.Click("button_scan"); }

void MainWindowTest::Select(int position) { driver.Select("treeview_device_list", position + 1); }

int MainWindowTest::SelectNamed(const std::string& name) {
  for (std::size_t i = 0; i < window->Devices().size(); ++i) {
    if (window->Devices()[i].Name() == name) {
      Select(static_cast<int>(i));
      return static_cast<int>(i);
    }
  }
  ADD_FAILURE() << name << " was not found";
  return 0;
}

void MainWindowTest::Choose(const std::string& item) {
  driver.Click(item.starts_with("menu_item_file") ? "button_file" : "button_option");
  driver.Click(item);
}

void MainWindowTest::ChooseAnswered(const std::string& item, const std::optional<std::string>& file) {
  if (file) harness.Dialogs().AnswerNextFile(*file);
  harness.Dialogs().AnswerNextMessage(kIdOk);
  Choose(item);
}

namespace {

class OneRecordHost : public ProcedureHost {
 public:
  explicit OneRecordHost(DeviceList& devices) : devices_(devices) {}
  DeviceRecord* SelectedDevice() override { return &devices_.front(); }

 private:
  DeviceList& devices_;
};

// The parameter-file keys of the processor's channels whose values differ;
// a matrix cell that is off has no level in the processor.
std::string Differences(const DeviceRecord& window, const DeviceRecord& processor) {
  std::ostringstream out;
  layout::ForEachKey(window, [&](const layout::Key& key) {
    const bool level_of_an_off_cell = key.section == "router" && !key.name.ends_with("_enable") &&
                                      !window.RouterEnable(key.ch, key.index);
    if (key.Get(window) != key.Get(processor) && !level_of_an_off_cell) {
      out << "\n[" << key.section << "] " << key.name << ": window " << key.Get(window) << ", processor "
          << key.Get(processor);
    }
  });
  return out.str();
}

}  // namespace

void MainWindowTest::ExpectProcessorFollowed(int position) {
  harness.Advance(500);
  const DeviceRecord& shown = window->Devices()[static_cast<std::size_t>(position)];
  EXPECT_EQ(Differences(shown, ReadProcessor(shown)), "") << shown.Name();
}

DeviceRecord MainWindowTest::ReadProcessor(const DeviceRecord& like) {
  DeviceList fresh;
  fresh.emplace_back(like.Address(), like.ChipId(), like.Inputs(), like.Outputs(), like.Name());
  SimLink own_link(bus);
  OneRecordHost host(fresh);
  const Configuration config = window ? window->Config() : Configuration{};
  ProcedureDriver reader(own_link, host, fresh, config);
  reader.StartReadAll(0);
  ProcedureEnd end = ProcedureEnd::kRunning;
  while (end == ProcedureEnd::kRunning) {
    bus.Advance(std::chrono::milliseconds(reader.PeriodMs()));
    end = reader.Tick();
  }
  EXPECT_EQ(end, ProcedureEnd::kSucceeded) << "the processor did not answer the read";
  return fresh.front();
}

std::vector<Bytes> MainWindowTest::SentWithCommand(std::uint8_t command) const {
  std::vector<Bytes> frames;
  for (const Bytes& frame : link.sent) {
    if (frame.size() > kOffsetCommand && frame[kOffsetCommand] == command) frames.push_back(frame);
  }
  return frames;
}

MessageBoxes MainWindowTest::Boxes() {
  MessageBoxes boxes;
  for (const MessageBoxCall& call : harness.Dialogs().Messages()) boxes.emplace_back(call.text, call.caption);
  return boxes;
}

TextAndCaption MainWindowTest::LastBox() {
  const MessageBoxes boxes = Boxes();
  return boxes.empty() ? TextAndCaption{} : boxes.back();
}


}  // namespace dsp::test
