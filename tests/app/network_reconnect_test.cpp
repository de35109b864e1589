// dspdesk on a bus behind a device server, run as a user runs it: socat
// bridges a TCP port to a dspsim pseudo-terminal. Killing socat shows in
// the window as an unplugged adapter does; once socat serves the same port
// again, the window reconnects by itself and reads the processor.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "../support/child_process.h"
#include "../support/device_server.h"
#include "../support/temp_dir.h"
#include "app/texts.h"
#include "persist/language_setting.h"

namespace dsp::test {
namespace {

using enum Language;

using namespace std::chrono_literals;

constexpr int kProgramTimeoutMs = 240000;
constexpr const char* kTitle = "dspdesk · Audio Matrix Processor";

// The script leaves a picture at each point where the test acts on the
// server, then waits for the title to show the loss and the reconnection;
// the limits are generous, since the test may be slow to act, and together
// stay under the program's timeout so that a miss is reported by the script.
std::string Scenario(const std::string& port, const std::string& connected, const std::string& lost) {
  const std::string with_port = std::string("\"") + kTitle + " [" + port + "]\"\n";
  return "click button_scan\n"
         "expect-text edit_device_name_0 Desk\n"
         "expect-text label_window_name " + with_port +
         "screenshot " + connected + "\n"
         "wait-until 90000 expect-text label_window_name \"" + kTitle + "\"\n"
         "screenshot " + lost + "\n"
         "wait-until 90000 expect-text label_window_name " + with_port +
         "select treeview_device_list 1\n"
         "wait-until 90000 expect-check checkbox_connect_status_0 on\n";
}

bool AppearsWithin(const std::string& file, const QProcess& program, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!std::filesystem::exists(file)) {
    if (program.state() == QProcess::NotRunning || std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

TEST(NetworkReconnectTest, TheWindowShowsTheLossAndReconnectsWhenTheServerIsBack) {
  dsp::testing::TempDir dir;
  dsp::testing::SimProgram dspsim({"--devices", "Desk:2x2", "--seed", "5"}, dir.File("dspsim.err"));
  ASSERT_FALSE(dspsim.path().empty()) << dspsim.Errors();
  dsp::testing::DeviceServer server(dsp::testing::ServerMode::kRaw, dspsim.path(), dir.path().string());
  ASSERT_TRUE(server.Listening()) << "socat did not start";

  const std::filesystem::path program = dir.path() / "dspdesk";
  std::filesystem::copy_file(DSPDESK_PATH, program);
  ASSERT_TRUE(WriteLanguage(dir.File("Setting.ini"), kEnglish).Ok());
  const std::string connected = dir.File("connected.png");
  const std::string lost = dir.File("lost.png");
  std::ofstream(dir.File("test.scenario")) << Scenario(server.PortName(), connected, lost);

  QProcess desk;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  desk.setProcessEnvironment(environment);
  desk.start(QString::fromStdString(program.string()),
             {"--port", QString::fromStdString(server.PortName()), "--skin-dir", DSPDESK_SKIN_DIR, "--script",
              QString::fromStdString(dir.File("test.scenario"))});
  if (AppearsWithin(connected, desk, 120s)) {
    server.Stop();
    if (AppearsWithin(lost, desk, 60s)) server.Start();
  }
  const bool finished = desk.waitForFinished(kProgramTimeoutMs);
  const std::string errors = desk.readAllStandardError().toStdString();
  if (!finished) desk.kill();
  EXPECT_TRUE(finished && desk.exitStatus() == QProcess::NormalExit && desk.exitCode() == 0) << errors;
  // One connection at the start and one once the server is back: a test
  // connection closed just before would still hold the line and take answers.
  EXPECT_EQ(server.ConnectionsAccepted(), 2);
}

}  // namespace
}  // namespace dsp::test
