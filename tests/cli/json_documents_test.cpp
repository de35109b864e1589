// The --json document of every dspctl command, from the real programs: it
// parses, and keeps its keys, their order and the kinds of their values,
// which scripts depend on. The documents of scan, read, write, preset list,
// levels, effects-save and firmware are checked where dspctl_program_test
// runs those commands.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "../support/temp_dir.h"
#include "../support/child_process.h"
#include "json_shape.h"

namespace dsp::testing {
namespace {

using Document = nlohmann::ordered_json;

struct JsonCommand {
  std::vector<std::string> args;
  std::string shape;
};

struct DspctlJson : ::testing::Test {
  TempDir dir;

  // Runs each command with --json against one dspsim, in order (answering a
  // scan in slots, so two processors are found in a short scan).
  void ExpectShapes(const std::string& devices, const std::string& scan_time, const std::vector<JsonCommand>& table) {
    SimProgram sim({"--devices", devices, "--effect-blocks", "2", "--discovery", "slots"}, dir.File("dspsim.err"));
    ASSERT_FALSE(sim.path().empty()) << sim.Errors();
    WriteText(dir.File("dsp.conf"), "config_effects.max = 2\nconfig_energy_full = 10000000\n");
    for (const auto& [args, shape] : table) {
      std::vector<std::string> line = {"--port",   sim.path(), "--scan-time", scan_time,
                                       "--config", "dsp.conf", "--json"};
      line.insert(line.end(), args.begin(), args.end());
      const ProgramRun run = RunProgram(DSPCTL_PATH, line, dir.File(""));
      ASSERT_EQ(run.status, 0) << ::testing::PrintToString(args) << "\n" << run.err;
      EXPECT_EQ(ShapeOf(run.out), shape) << ::testing::PrintToString(args) << "\n" << run.out;
    }
  }
};

// preset recall and reset write the document of preset save (PresetJson);
// they are left out for their waits of 12 s and 16 s.
TEST_F(DspctlJson, CommandsOnOneProcessor) {
  dir.Write("fx.bin", std::string(2 * 128, '\x5a'));
  ExpectShapes("Desk:1x1", "2000",
               {
                   {{"preset", "save", "1", "3"}, "{address:n,name:s,preset:n}"},
                   {{"preset", "name", "1", "3", "Late"}, "{address:n,name:s,preset:n,preset_name:s}"},
                   {{"pink", "1", "A", "on"}, "{address:n,channel:s,on:b}"},
                   {{"effects-load", "1", "fx.bin"}, kTransferShape},
               });
}

TEST_F(DspctlJson, CopyBetweenTwoProcessors) {
  ExpectShapes("Desk:1x1,Rack:1x1", "3000",
               {{{"copy", "1", "2"}, "{source:" + kDeviceShape + ",targets:[" + kDeviceShape + "]}"}});
}

// The serial devices of the machine the test runs on, maybe none, and the
// network ports of the configuration.
TEST_F(DspctlJson, Ports) {
  WriteText(dir.File("dsp.conf"), "config_network_ports = tcp://rack:4001, rfc2217://[::1]:7000\n");
  const ProgramRun run = RunProgram(DSPCTL_PATH, {"--json", "--config", "dsp.conf", "ports"}, dir.File(""));
  ASSERT_EQ(run.status, 0) << run.err;
  const Document document = Document::parse(run.out);
  EXPECT_TRUE(Shape(document) == "{ports:[],network_ports:[s]}" || Shape(document) == "{ports:[s],network_ports:[s]}")
      << run.out;
  EXPECT_EQ(document["network_ports"], Document::parse(R"(["tcp://rack:4001", "rfc2217://[::1]:7000"])"));
  const ProgramRun text = RunProgram(DSPCTL_PATH, {"--config", "dsp.conf", "ports"}, dir.File(""));
  EXPECT_NE(text.out.find("rfc2217://[::1]:7000  (network, from the configuration)\n"), std::string::npos) << text.out;
}

}  // namespace
}  // namespace dsp::testing
