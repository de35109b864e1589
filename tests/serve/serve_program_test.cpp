// The real dspserve against the real dspsim over a pseudo-terminal: what an
// integrator sees with curl, and what stays on the processor afterwards.

#include <httplib.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <nlohmann/json.hpp>
#include <regex>
#include <thread>

#include "../support/child_process.h"
#include "../support/temp_dir.h"
#include "cli/json.h"
#include "persist/ini_file.h"

extern char** environ;

namespace dsp::testing {
namespace {

constexpr auto kStartLimit = std::chrono::minutes(3);

// dspserve as a child, until stopped (SIGTERM).
class ServeProgram {
 public:
  ServeProgram(const std::vector<std::string>& args, const std::string& err_file) : err_file_(err_file) {
    std::vector<std::string> all = {DSPSERVE_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&pid_, DSPSERVE_PATH, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~ServeProgram() { Stop(); }

  // The port it says it listens on, once it has said so; 0 when it did not.
  int WaitForPort() {
    const std::regex listening("listening on http://127\\.0\\.0\\.1:([0-9]+)/");
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (std::chrono::steady_clock::now() < deadline) {
      std::smatch found;
      const std::string said = ReadText(err_file_);
      if (std::regex_search(said, found, listening)) return std::stoi(found[1]);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
  }

  int Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(std::exchange(pid_, -1), &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  std::string err_file_;
};

// The processors, once the first scan and read are done.
Json WaitForProcessors(httplib::Client& client) {
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    if (const httplib::Result listed = client.Get("/api/v1/processors"); listed && listed->status == 200) {
      return Json::parse(listed->body);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
  return Json::array();
}

// One key of every kind of write (section, key, value), each one the processor reports back.
const std::tuple<const char*, const char*, int> kWritten[] = {
    {"output 1", "gain", -750},         {"output 1", "mute", 1},
    {"output 1", "polarity", 1},        {"output 1", "delay", 480},
    {"output 1", "compressor_ratio", 40}, {"output 1", "limit_start_gate", -20},
    {"output 1", "filter_low_pass_frequence", 8000}, {"output 1", "equalizer_gain_3", -120},
    {"input 0", "noise_gate_start_gate", -30},        {"input 0", "equalizer_q_2", 300},
    {"router", "in_1_out_0", 9},        {"router", "in_1_out_0_enable", 1},
};

TEST(DspserveProgram, WhatAPatchSetsIsOnTheProcessorAfterTheDaemonStops) {
  TempDir dir;
  SimProgram sim({"--devices", "Desk:2x2", "--seed", "5"}, dir.File("dspsim.err"));
  ASSERT_EQ(sim.path().rfind("/dev/pts/", 0), 0u) << sim.Errors();
  {
    ServeProgram serve({"--port", sim.path(), "--scan-time", "2000", "--listen", "127.0.0.1:0"},
                       dir.File("dspserve.err"));
    const int port = serve.WaitForPort();
    ASSERT_NE(port, 0) << ReadText(dir.File("dspserve.err"));
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(120, 0);
    const Json processors = WaitForProcessors(client);
    ASSERT_EQ(processors.size(), 1u) << ReadText(dir.File("dspserve.err"));
    EXPECT_EQ(processors[0].at("name"), "Desk");
    const std::string one = "/api/v1/processors/" + processors[0].at("id").get<std::string>();
    Json patch = Json::object();
    for (const auto& [section, key, value] : kWritten) patch[section][key] = value;
    const httplib::Result changed = client.Patch(one.c_str(), patch.dump(), "application/json");
    ASSERT_TRUE(changed);
    ASSERT_EQ(changed->status, 200) << changed->body;
    EXPECT_EQ(serve.Stop(), 0) << ReadText(dir.File("dspserve.err"));
  }
  const ProgramRun read = RunProgram(DSPCTL_PATH, {"--port", sim.path(), "--scan-time", "2000", "read", "1", "-o",
                                                   "after.ini"}, dir.File(""));
  ASSERT_EQ(read.status, 0) << read.err;
  IniFile ini;
  ASSERT_TRUE(ReadIniFile(dir.File("after.ini"), ini).Ok());
  for (const auto& [section, key, value] : kWritten) {
    EXPECT_EQ(ini.Value(section, key).value_or("missing"), std::to_string(value)) << "[" << section << "] " << key;
  }
}

}  // namespace
}  // namespace dsp::testing
