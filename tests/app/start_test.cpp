// Window start: configuration from the skin's config_ controls, the
// language from Setting.ini, the serial port; ports coming and going.
#include <map>

#include "controls/liner_control.h"
#include "main_window_fixture.h"

namespace dsp::test {
namespace {

class StartTest : public MainWindowTest {};

TEST_F(StartTest, ReadsTheSkinConfigurationAndKeepsTheFirstPortOpen) {
  link.other_ports = {"/dev/ttyUSB3"};
  Start();
  // The skin's values themselves are the skin test's; here: the window took them.
  const Configuration& read = window->Config();
  EXPECT_NE(read.energy_full, Configuration().energy_full) << "the skin should carry the meter's full scale";

  EXPECT_EQ(window->Ports(), (std::vector<std::string>{SimPortLink::kPort, "/dev/ttyUSB3"}));
  ASSERT_TRUE(link.IsOpen());
  EXPECT_EQ(link.PortName(), SimPortLink::kPort);
  EXPECT_EQ(link.open_baud, static_cast<int>(read.baud));
  EXPECT_TRUE(harness.Text("label_window_name").ends_with(std::string(" [") + SimPortLink::kPort + "]"));
  EXPECT_TRUE(window->HasTimer(timer::kTrace));
  EXPECT_TRUE(link.sent.empty()) << "nothing goes on the bus until the user scans";
}

TEST_F(StartTest, NamedPortsAreTriedFirstAndOnesThatDoNotOpenAreLeftOut) {
  link.other_ports = {"/dev/ttyUSB3"};
  preferred_ports = {"/dev/ttyGONE", "/dev/ttyUSB3"};
  Start();
  EXPECT_EQ(window->Ports(), (std::vector<std::string>{"/dev/ttyUSB3", SimPortLink::kPort}));
  EXPECT_EQ(link.PortName(), "/dev/ttyUSB3");
}

TEST_F(StartTest, WithoutAPortTheTitleHasNoSuffixAndAScanSaysSo) {
  link.SetPresent(false);
  Start();
  const std::string title = harness.Text("label_window_name");
  EXPECT_EQ(title.find('['), std::string::npos) << title;
  EXPECT_TRUE(window->Ports().empty());

  harness.Dialogs().AnswerNextMessage(kIdOk);
  Scan();
  EXPECT_EQ(Boxes(), (MessageBoxes{{"Нет UART устройства", "Warning"}}));
  EXPECT_TRUE(window->Devices().empty());
  EXPECT_FALSE(window->HasTimer(timer::kScan));
}

TEST_F(StartTest, TheLanguageOfSettingIniRelabelsTheWindow) {
  Start(kChinese);
  EXPECT_EQ(window->InterfaceLanguage(), kChinese);
  EXPECT_EQ(harness.Text("label_device_list"), "设备列表");
  EXPECT_EQ(harness.Text("button_scan"), "扫描");
  EXPECT_EQ(harness.Text("treenode_device"), "设备");
  EXPECT_EQ(harness.Text("label_window_input_title"), "输入 - IN A");

  Start(kEnglish);
  EXPECT_EQ(harness.Text("label_device_list"), "Устройства");
  EXPECT_EQ(harness.Text("button_option"), "Пресеты");
  EXPECT_EQ(harness.Text("button_scan"), "    ");
  EXPECT_EQ(harness.Text("treenode_device"), "Device");
  EXPECT_EQ(harness.Text("label_window_input_title"), "Input - IN A");
  EXPECT_EQ(harness.Text("label_window_output_eq_title"), "Crossover - OUT A");
}

TEST_F(StartTest, AMissingSettingFileMeansChineseAndAnUnknownLanguageChangesNoCaption) {
  MainWindowSetup setup;
  setup.link = TakeLink();
  setup.setting_file = dir.File("absent/Setting.ini");
  window = std::make_unique<MainWindow>(std::move(setup));
  window->Create(nullptr, "dspdesk");
  const std::string skin_caption = harness.Text("label_device_list");
  window->ShowWindow();
  EXPECT_EQ(window->InterfaceLanguage(), kChinese);
  EXPECT_EQ(harness.Text("label_device_list"), "设备列表");

  Start(static_cast<Language>(2));
  EXPECT_EQ(harness.Text("label_device_list"), skin_caption);
  EXPECT_EQ(window->Find<LinerControl>("liner_comp")->YText(), "");  // the skin gives the curves no titles
}

// Captions the label table does not cover carry their Chinese text in the
// skin ("text_zh", "tooltip_zh"); English shows the skin's own.
std::map<std::string, std::string> ChineseCaptions(const Window& window, const char* attribute) {
  std::map<std::string, std::string> captions;
  for (QWidget* widget : window.Root()->findChildren<QWidget*>()) {
    auto* control = dynamic_cast<Control*>(widget);
    if (control != nullptr && !control->Name().empty() && control->CustomAttribute(attribute)) {
      captions[control->Name()] = *control->CustomAttribute(attribute);
    }
  }
  return captions;
}

std::string ToolTip(const UiDriver& driver, const std::string& name) { return driver.Get(name).toolTip().toStdString(); }

TEST_F(StartTest, SkinCaptionsFollowTheLanguageAndTheTitleKeepsItsPort) {
  Start(kEnglish);
  const auto texts = ChineseCaptions(*window, "text_zh");
  const auto tips = ChineseCaptions(*window, "tooltip_zh");
  ASSERT_TRUE(texts.contains("label_window_name")) << "the skin gives Chinese captions in text_zh";
  ASSERT_FALSE(tips.empty()) << "the skin gives Chinese tooltips in tooltip_zh";
  std::map<std::string, std::string> english;
  for (const auto& [name, chinese] : texts) english[name] = harness.Text(name);
  for (const auto& [name, chinese] : tips) english["tip:" + name] = ToolTip(driver, name);

  Start(kChinese);
  const std::string port = std::string(" [") + SimPortLink::kPort + "]";
  for (const auto& [name, chinese] : texts) {
    EXPECT_EQ(harness.Text(name), name == "label_window_name" ? chinese + port : chinese) << name;
    EXPECT_NE(harness.Text(name), english[name]) << name;
  }
  for (const auto& [name, chinese] : tips) EXPECT_EQ(ToolTip(driver, name), chinese) << name;
  EXPECT_EQ(english["label_window_name"], *driver.Get("label_window_name").CustomAttribute("text_en") + port);
}

class PortChangeTest : public MainWindowTest {
 protected:
  void SetUp() override {
    link.other_ports = {"/dev/ttyUSB4"};
    Start();
  }
  std::string Title() const { return harness.Text("label_window_name"); }
  // The port watch reports `port` arriving or going; the window acts on it.
  void Report(PortChange::Kind kind, const std::string& port) {
    window->PortChanged({kind, port});
    harness.Advance(0);
  }
};

TEST_F(PortChangeTest, AnArrivingPortIsOfferedAndTakenOnOk) {
  const std::string base = Title().substr(0, Title().rfind(" ["));
  harness.Dialogs().AnswerNextMessage(kIdOk);
  Report(PortChange::Kind::kArrival, "/dev/ttyUSB4");
  EXPECT_EQ(Boxes(), (MessageBoxes{{"Use /dev/ttyUSB4 ?", "Question"}}));
  EXPECT_EQ(harness.Dialogs().Messages()[0].buttons, MessageButtons::kOkCancel);
  EXPECT_EQ(link.PortName(), "/dev/ttyUSB4");
  EXPECT_EQ(Title(), base + " [/dev/ttyUSB4]");

  Report(PortChange::Kind::kRemoval, "/dev/ttyUSB4");
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(Title(), base);
  EXPECT_EQ(window->Ports(), std::vector<std::string>{SimPortLink::kPort});
}

TEST_F(PortChangeTest, CancelKeepsThePortButListsTheNewOne) {
  const std::string title = Title();
  Report(PortChange::Kind::kRemoval, "/dev/ttyUSB4");
  EXPECT_TRUE(link.IsOpen()) << "another port went away";
  EXPECT_EQ(window->Ports(), std::vector<std::string>{SimPortLink::kPort});
  harness.Dialogs().AnswerNextMessage(kIdCancel);
  Report(PortChange::Kind::kArrival, "/dev/ttyUSB4");
  EXPECT_EQ(link.PortName(), SimPortLink::kPort);
  EXPECT_EQ(Title(), title);
  EXPECT_EQ(window->Ports(), (std::vector<std::string>{SimPortLink::kPort, "/dev/ttyUSB4"}));
}

TEST_F(PortChangeTest, APortThatWillNotOpenIsReported) {
  harness.Dialogs().AnswerNextMessage(kIdOk);
  harness.Dialogs().AnswerNextMessage(kIdOk);
  Report(PortChange::Kind::kArrival, "/dev/ttyACM9");
  EXPECT_EQ(Boxes(), (MessageBoxes{{"Use /dev/ttyACM9 ?", "Question"},
                                   {"Cannot use /dev/ttyACM9: /dev/ttyACM9 does not exist", "Warning"}}));
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(Title().find('['), std::string::npos);
}

TEST_F(PortChangeTest, TheQuestionIsAskedInChinese) {
  Start(kChinese);
  harness.Dialogs().AnswerNextMessage(kIdCancel);
  Report(PortChange::Kind::kArrival, "/dev/ttyUSB4");
  EXPECT_EQ(Boxes(), (MessageBoxes{{"是否使用/dev/ttyUSB4?", "询问"}}));
}

}  // namespace
}  // namespace dsp::test
