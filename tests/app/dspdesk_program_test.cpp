// dspdesk run as a user runs it, offscreen: a scenario over a real
// pseudo-terminal served by dspsim, and pictures of the main window after
// the scenario in both languages (each from a copy of the program with its
// own Setting.ini beside it).
#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../support/child_process.h"
#include "../support/temp_dir.h"
#include "app/texts.h"
#include "persist/language_setting.h"
#include "persist/parameter_file.h"
#include "platform/testing/screenshot.h"

namespace dsp::test {
namespace {

using enum Language;

constexpr int kProgramTimeoutMs = 240000;

// Scan, pick the one processor, synchronise it (a failed read would show a
// message box the script does not answer, and fail), see it connected, open
// a page.
std::string Scenario(const std::string& compressor_title) {
  return "click button_scan\n"
         "expect-text edit_device_name_0 Lobby\n"
         "expect-text label_device_address_0 1\n"
         "select treeview_device_list 1\n"
         "expect-selected treeview_device_list 1\n"
         "expect-text label_tips_0 \"\"\n"
         "expect-visible layout_input_1 yes\n"
         "expect-visible layout_input_2 no\n"
         "expect-visible layout_output_3 yes\n"
         "expect-visible layout_output_4 no\n"
         "wait-until 60000 expect-check checkbox_connect_status_0 on\n"
         "click button_comp_1\n"
         "expect-visible window_comp yes\n"
         "expect-text label_window_comp_title \"" +
         compressor_title + "\"\n";
}

class DspdeskProgramTest : public ::testing::Test {
 protected:
  // A copy of dspdesk in the test's folder, with Setting.ini beside it.
  std::string Install(Language language) {
    const std::filesystem::path program = dir.path() / "dspdesk";
    std::filesystem::copy_file(DSPDESK_PATH, program, std::filesystem::copy_options::overwrite_existing);
    EXPECT_TRUE(WriteLanguage((dir.path() / "Setting.ini").string(), language).Ok());
    return program.string();
  }

  // Runs the program offscreen; returns its exit code (-1 when it crashed or hung).
  int Run(const std::string& program, QStringList arguments, const std::string& script) {
    const std::string script_path = dir.File("test.scenario");
    std::ofstream(script_path) << script;
    arguments << "--skin-dir" << DSPDESK_SKIN_DIR << "--script" << QString::fromStdString(script_path)
              << "--screenshot" << QString::fromStdString(Shot());
    QProcess desk;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    desk.setProcessEnvironment(environment);
    desk.start(QString::fromStdString(program), arguments);
    const bool finished = desk.waitForFinished(kProgramTimeoutMs);
    errors = desk.readAllStandardError().toStdString();
    if (!finished) desk.kill();
    return finished && desk.exitStatus() == QProcess::NormalExit ? desk.exitCode() : -1;
  }

  std::string Shot() const { return dir.File("main_window.png"); }

  // dspsim serving the processors; dspdesk opens its device path like a
  // serial port.
  std::unique_ptr<testing::SimProgram> Dspsim(const std::vector<std::string>& arguments) {
    auto dspsim = std::make_unique<testing::SimProgram>(arguments, dir.File("dspsim.err"));
    EXPECT_FALSE(dspsim->path().empty()) << "dspsim printed no device path: " << dspsim->Errors();
    return dspsim;
  }

  static QStringList On(const testing::SimProgram& dspsim) { return {"--port", QString::fromStdString(dspsim.path())}; }

  void ExpectAPictureOfTheWindow() const {
    const QImage image(QString::fromStdString(Shot()));
    ASSERT_FALSE(image.isNull()) << "no screenshot at " << Shot();
    EXPECT_GE(image.width(), 1280);
    EXPECT_GE(image.height(), 720);
    EXPECT_GT(DistinctColours(image), 100) << "the picture looks blank";
  }

  dsp::testing::TempDir dir;
  std::string errors;
};

TEST_F(DspdeskProgramTest, AScenarioOverDspsimInEnglish) {
  const auto dspsim = Dspsim({"--devices", "Lobby:2x4", "--seed", "3"});
  const int code = Run(Install(kEnglish), On(*dspsim), Scenario("Compressor - OUT B"));
  EXPECT_EQ(code, 0) << errors;
  ExpectAPictureOfTheWindow();
}

// What dspctl reads back from a processor (by its address in dspctl's own
// scan): its record as a parameter file.
DeviceRecord ReadWithDspctl(const testing::SimProgram& dspsim, const std::string& file, int address = 1) {
  const testing::ProgramRun run = testing::RunProgram(
      DSPCTL_PATH, {"--port", dspsim.path(), "--scan-time", "2000", "read", std::to_string(address), "-o", file},
      std::filesystem::path(file).parent_path().string());
  EXPECT_EQ(run.status, 0) << run.err;
  DeviceRecord record(1, {}, 2, 2, "Desk");
  EXPECT_TRUE(LoadParameterFile(file, Configuration{}, record).Ok());
  return record;
}

// `steps` turns of the mouse wheel downwards over `name`.
std::string ScrollSteps(const std::string& name, int steps) {
  std::string lines;
  for (int step = 0; step < steps; ++step) lines += "scroll " + name + " down\n";
  return lines;
}

// Drag lines taking the part `from` of `control` to each point in turn, a
// frame of a 60 Hz screen apart: one long drag as the link sees it.
std::string DragThrough(const std::string& control, const std::string& from, const std::vector<QPoint>& points) {
  std::string lines;
  for (const QPoint& point : points) {
    lines += "drag " + control + " " + from + " " + std::to_string(point.x()) + "," + std::to_string(point.y()) +
             "\nwait 16\n";
  }
  return lines;
}

// `count` points zigzagging over a `width` x `height` area, then `last`.
std::vector<QPoint> Zigzag(int count, int width, int height, QPoint last) {
  std::vector<QPoint> points;
  for (int i = 0; i < count; ++i) points.emplace_back(4 + i * 37 % width, 4 + i * 53 % height);
  points.push_back(last);
  return points;
}

// Edits made in the window reach the processor: dspctl reads exactly those
// changes back, and nothing else changed. Last, a band handle and an output
// fader are dragged through many positions while the processor is polled
// for levels, and the window is closed a second after letting go: the
// processor ends where the hand let go, as the window shows it.
TEST_F(DspdeskProgramTest, EditsAndLongDragsInTheWindowAreWhatDspctlReadsFromTheProcessor) {
  const auto dspsim = Dspsim({"--devices", "Desk:2x2", "--seed", "5"});
  DeviceRecord expected = ReadWithDspctl(*dspsim, dir.File("before.ini"));
  const std::string edits =
      "click button_scan\n"
      "select treeview_device_list 1\n"
      "expect-text label_tips_0 \"\"\n"
      "type edit_gain_input_0 3.5\n"
      "key edit_gain_input_0 up\n"
      "expect-text edit_gain_input_0 3.6\n"
      "check checkbox_mute_input_all on\n"
      "click button_matrix_mix_in_home\n"
      "click button_router_reset\n"
      "dbclick button_input_delay\n"
      "check checkbox_input_delay_unit_1 on\n"
      "type edit_input_delay_1 34\n"
      "expect-text edit_input_delay_1 34.69\n"
      "click button_close_input_delay\n"
      "click button_close_matrix_mix\n"
      "click button_input_eq_0\n"
      // The page lays itself out on the next events; the drag aims at where
      // band 18 is drawn then.
      "wait 200\n"
      "drag graph_input_eq band18 2,2\n"
      "expect-text label_input_eq_selected \"EQ 18\"\n"
      "type edit_input_eq_q 2.5\n"
      "expect-text edit_input_eq_gain 12.0\n"
      "click button_close_input_eq\n"
      "click button_comp_1\n"
      "check checkbox_comp_enable on\n"
      "key liner_comp down\n"
      "key liner_comp down\n"
      "expect-text edit_comp_start_gate -2.0\n"
      "dbclick button_home\n"
      "expect-text button_comp_start_gate_1 \"-2.0 dB\"\n"
      "click liner_limit_0\n"
      "expect-text label_window_linit_title \"Limiter - OUT A\"\n"
      // The release time is below the window's fold, under the compressor's
      // page: the wheel brings it into view, as a user's does.
      + ScrollSteps("label_window_linit_title", 12) +
      "type edit_limit_release_time 42\n"
      // The long drags on the overview as it was, with no page open.
      "click button_close_limit\n"
      "click button_close_comp\n"
      "click button_input_eq_0\n"
      "wait 200\n" +
      DragThrough("graph_input_eq", "band18", Zigzag(16, 560, 170, {330, 70})) +
      "expect-text edit_input_eq_frequence 103\n"
      "expect-text edit_input_eq_gain 10.0\n"
      "click button_close_input_eq\n" +
      DragThrough("slider_gain_output_1", "handle", Zigzag(16, 85, 12, {40, 11})) +
      "expect-text edit_gain_output_1 -38.6\n"
      // The point is the second that passes, levels polled, after letting go.
      "wait 1000\n"
      "click button_close\n";
  ASSERT_EQ(Run(Install(kEnglish), On(*dspsim), edits), 0) << errors;

  expected.SetGain(kInputSide, 0, 360);
  for (int in = 0; in < 2; ++in) {
    expected.SetMute(kInputSide, in, true);
    for (int out = 0; out < 2; ++out) {
      expected.SetRouter(in, out, in == out ? 100 : 0);
      expected.SetRouterEnable(in, out, in == out);
    }
  }
  expected.SetDelay(kInputSide, 1, 45);
  // Band 18 dragged to the top left corner (20 Hz, held at +12 dB), its Q
  // typed, then dragged at length: it ends at 103 Hz, shown to a tenth as 10.0.
  expected.SetEqualizerFrequence(kInputSide, 0, 17, 103);
  expected.SetEqualizerGain(kInputSide, 0, 17, 996);
  expected.SetEqualizerQ(kInputSide, 0, 17, 250);
  expected.SetCompressorEnable(1, true);
  expected.SetCompressorStartGate(1, 20);  // two dB down on the curve
  expected.SetLimitReleaseTime(0, 42);
  expected.SetGain(kOutputSide, 1, -3860);
  EXPECT_TRUE(ReadWithDspctl(*dspsim, dir.File("after.ini")).SameParametersAs(expected));
}

// The menus over dspsim: save a gain to a file, restore the factory
// settings, load the file back; copy that processor to the other; switch
// the language and back. dspctl then finds the saved gain on both.
TEST_F(DspdeskProgramTest, FilesFactoryResetCopyAndLanguageFromTheMenus) {
  const auto dspsim = Dspsim({"--devices", "Desk:2x2,Side:2x2", "--seed", "5"});
  const std::string saved = dir.File("desk.ini");
  const std::string script =
      "click button_scan\n"
      "select treeview_device_list 1\n"
      "type edit_gain_input_0 -4.5\n"
      "click button_file\n"
      "answer-file " + saved + "\n"
      "click menu_item_file_save_to_pc\n"
      "click button_option\n"
      "click menu_item_option_reset\n"
      "expect-text edit_gain_input_0 0.0\n"
      "click button_file\n"
      "answer-file " + saved + "\n"
      "click menu_item_file_load_from_pc\n"
      "expect-text edit_gain_input_0 -4.5\n"
      "select treeview_device_list 2\n"
      "click button_option\n"
      "click menu_item_option_device_copy &\n"
      "select combo_source 0\n"
      "check checkbox_device_2 on\n"
      "click button_ok\n"
      // The second processor's label says "Synchronize to device..." while
      // the copy is written to it, and nothing again once it is.
      "wait-until 90000 expect-text label_tips_1 \"\"\n"
      "expect-text edit_gain_input_0 -4.5\n"
      "click button_option\n"
      "click menu_item_option_language\n"
      "expect-text button_file 文件\n"
      "screenshot " + dir.File("chinese.png") + "\n"
      "click button_option\n"
      "click menu_item_option_language\n"
      "expect-text button_file Файл\n"
      "screenshot " + dir.File("english.png") + "\n";
  ASSERT_EQ(Run(Install(kEnglish), On(*dspsim), script), 0) << errors;
  for (const char* shot : {"chinese.png", "english.png"}) {
    EXPECT_GT(DistinctColours(QImage(QString::fromStdString(dir.File(shot)))), 100) << shot;
  }
  const DeviceRecord first = ReadWithDspctl(*dspsim, dir.File("first.ini"), 1);
  const DeviceRecord second = ReadWithDspctl(*dspsim, dir.File("second.ini"), 2);
  EXPECT_EQ(first.Gain(kInputSide, 0), -450);
  EXPECT_TRUE(second.SameParametersAs(first));
}

// The firmware goes through the menu, the rescan, the transfer over the
// terminal and the progress dialog; dspsim's loader stores what it got.
// Then a preset saved from the dialog and recalled after a change brings
// the saved settings back into the processor.
TEST_F(DspdeskProgramTest, AFirmwareImageArrivesWholeAndAPresetSavedFromTheDialogComesBack) {
  const std::string dump = dir.File("dump");
  std::filesystem::create_directories(dump);
  const auto dspsim = Dspsim({"--devices", "Desk:2x2", "--seed", "5", "--dump-dir", dump});
  std::string image(5000, '\0');
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7 + i / 1024);
  const std::string firmware = dir.Write("desk-v2.bin", image);
  const std::string script =
      "click button_scan\n"
      "select treeview_device_list 1\n"
      "expect-text label_tips_0 \"\"\n"
      "answer-file " + firmware + "\n"
      "answer ok\n"
      "click button_option\n"
      "click menu_item_option_firmware_update\n"
      "expect-message Update Success\n"
      "expect-text edit_device_name_0 Desk\n"
      "select treeview_device_list 1\n"
      "expect-text label_tips_0 \"\"\n"
      "type edit_gain_input_0 -6.5\n"
      // The edit's write leaves 100 ms after it and nothing on the window
      // shows when the processor has it; the preset stores what the
      // processor holds, so time must pass first.
      "wait 500\n"
      "click button_file\n"
      "click menu_item_file_effect &\n"
      "select list_scene 4\n"
      "type edit_scene_4 Evening\n"
      "click button_save\n"
      "click button_close\n"
      "type edit_gain_input_0 2.0\n"
      // Likewise: this write must not reach the processor after the recall.
      "wait 500\n"
      "click button_file\n"
      "click menu_item_file_effect &\n"
      "expect-text edit_scene_4 Evening\n"
      "select list_scene 4\n"
      "click button_call\n"
      "expect-text label_scene_4 *4\n"
      "screenshot " + dir.File("presets.png") + "\n"
      "click button_close\n"
      "expect-text edit_gain_input_0 -6.5\n";
  ASSERT_EQ(Run(Install(kEnglish), On(*dspsim), script), 0) << errors;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dump)) files.push_back(entry.path());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_NE(files[0].filename().string().find("firmware"), std::string::npos) << files[0];
  EXPECT_EQ(dsp::testing::ReadText(files[0].string()), image);
  EXPECT_GT(DistinctColours(QImage(QString::fromStdString(dir.File("presets.png")))), 20);
  EXPECT_EQ(ReadWithDspctl(*dspsim, dir.File("recalled.ini")).Gain(kInputSide, 0), -650);
}

TEST_F(DspdeskProgramTest, AScenarioOnTheBuiltInSimulatedBusInChinese) {
  const int code = Run(Install(kChinese), {"--simulate", "Lobby:2x4"}, Scenario("压缩器 - OUT B"));
  EXPECT_EQ(code, 0) << errors;
  ExpectAPictureOfTheWindow();
}

TEST_F(DspdeskProgramTest, BadArgumentsAreRefusedWithTheUsage) {
  const std::pair<QStringList, std::string> cases[] = {
      {{"--simulate", "Hall:9x9"}, "--simulate"},
      {{"--port", "tcp://rack"}, "--port: \"tcp://rack\" names no TCP port: write tcp://HOST:PORT"},
      {{"--answer-wait-extra", "soon"}, "--answer-wait-extra must be a whole number from 0 to 60000"},
  };
  for (const auto& [arguments, message] : cases) {
    QProcess desk;
    desk.start(DSPDESK_PATH, arguments);
    ASSERT_TRUE(desk.waitForFinished(60000));
    EXPECT_EQ(desk.exitCode(), 2);
    const std::string said = desk.readAllStandardError().toStdString();
    EXPECT_NE(said.find(message), std::string::npos) << said;
    EXPECT_NE(said.find("Usage: dspdesk"), std::string::npos) << said;
  }
}

}  // namespace
}  // namespace dsp::test
