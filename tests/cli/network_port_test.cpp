// dspctl against dspsim behind a real serial device server: socat in raw TCP
// mode and ser2net with RFC 2217, each in front of dspsim's pseudo-terminal.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <nlohmann/json.hpp>
#include <thread>

#include "../support/child_process.h"
#include "../support/device_server.h"
#include "../support/temp_dir.h"
#include "link/bytes.h"

namespace dsp::testing {
namespace {

using namespace std::chrono_literals;

const std::string kShortScan = "2000";

class NetworkPort : public ::testing::Test {
 protected:
  explicit NetworkPort(ServerMode mode) : server(mode, sim.path(), dir.path().string()) {}

  void SetUp() override {
    WriteText(dir.File("dsp.conf"), "config_effects.max = 8\n");
    ASSERT_TRUE(server.Listening()) << ReadText(dir.File("device-server.log"));
  }

  ProgramRun Dspctl(std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", server.PortName(), "--scan-time", kShortScan, "--config", "dsp.conf"});
    return RunProgram(DSPCTL_PATH, args, dir.File(""));
  }

  TempDir dir;
  SimProgram sim{{"--devices", "Desk:1x1", "--effect-blocks", "8", "--dump-dir", dir.File("received")},
                 dir.File("dspsim.err")};
  DeviceServer server;
};

struct RawServer : NetworkPort {
  RawServer() : NetworkPort(ServerMode::kRaw) {}
};

struct Rfc2217Server : NetworkPort {
  Rfc2217Server() : NetworkPort(ServerMode::kRfc2217) {}
};

TEST_F(RawServer, WriteReadAndFirmwareRunOverTheServer) {
  WriteText(dir.File("muted.ini"), "[input 0]\nmute=1\n");
  const ProgramRun write = Dspctl({"write", "1", "muted.ini"});
  ASSERT_EQ(write.status, 0) << Lines(write);
  const ProgramRun read = Dspctl({"read", "1", "-o", "read.ini"});
  ASSERT_EQ(read.status, 0) << Lines(read);
  EXPECT_NE(ReadText(dir.File("read.ini")).find("[input 0]\ngain=0\nmute=1\n"), std::string::npos);

  const Bytes firmware = PatternBytes(1500);
  dir.Write("fw.bin", firmware);
  const ProgramRun update = Dspctl({"firmware", "1", "fw.bin"});
  ASSERT_EQ(update.status, 0) << Lines(update);
  EXPECT_EQ(ReadBytes(dir.File("received/1-Desk-firmware-1.bin")), firmware);
}

TEST_F(Rfc2217Server, ScanReadAndAnImageOfFfBytesRunOverTheServer) {
  const ProgramRun scan = Dspctl({"--json", "scan"});
  ASSERT_EQ(scan.status, 0) << Lines(scan);
  EXPECT_EQ(nlohmann::json::parse(scan.out)["port"], server.PortName());
  EXPECT_EQ(nlohmann::json::parse(scan.out)["devices"].size(), 1u);
  const ProgramRun read = Dspctl({"read", "1", "-o", "read.ini"});
  ASSERT_EQ(read.status, 0) << Lines(read);
  EXPECT_NE(ReadText(dir.File("read.ini")).find("name=Desk\n"), std::string::npos);

  // 0xFF is Telnet's command byte: every one must arrive as one data byte.
  const Bytes all_ff(8 * 128, 0xFF);
  dir.Write("ff.bin", all_ff);
  const ProgramRun effects = Dspctl({"effects-load", "1", "ff.bin"});
  ASSERT_EQ(effects.status, 0) << Lines(effects);
  EXPECT_EQ(ReadBytes(dir.File("received/1-Desk-parameters-1.bin")), all_ff);
}

TEST_F(RawServer, AServerThatGoesAwayMidReadIsALostPort) {
  auto run = std::async(std::launch::async, [&] { return Dspctl({"read", "1", "-o", "lost.ini"}); });
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  while (ReadText(dir.File("stderr.txt")).find("Synchronize from device...") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
  }
  server.Stop();
  const ProgramRun lost = run.get();
  EXPECT_EQ(lost.status, 1) << Lines(lost);
  const std::string port = server.PortName();
  EXPECT_NE(lost.err.find("dspctl: " + port + " stopped working ("), std::string::npos) << lost.err;
  EXPECT_NE(lost.err.find("): check that the device server is on and reachable, then try again.\n"),
            std::string::npos)
      << lost.err;

  const ProgramRun refused = Dspctl({"scan"});
  EXPECT_EQ(refused.status, 1) << Lines(refused);
  EXPECT_EQ(refused.err, "dspctl: Cannot connect to 127.0.0.1 port " + port.substr(port.rfind(':') + 1) +
                             " (Connection refused): check that the device server is on and reachable, and that "
                             "this port is set to raw TCP mode.\n");
}

}  // namespace
}  // namespace dsp::testing
