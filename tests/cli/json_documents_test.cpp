// The --json document of every dspctl command, from the real programs: it
// parses, and keeps its keys, their order and the kinds of their values,
// which scripts depend on.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "../support/temp_dir.h"
#include "../support/child_process.h"

namespace dsp::testing {
namespace {

using Document = nlohmann::ordered_json;

// Keys in order with the kind of each value (n number, s string, b bool);
// an array by its first element.
std::string Shape(const Document& value) {
  if (value.is_object()) {
    std::string shape = "{";
    for (const auto& [key, member] : value.items()) {
      shape += (shape.size() > 1 ? "," : "") + key + ":" + Shape(member);
    }
    return shape + "}";
  }
  if (value.is_array()) return "[" + (value.empty() ? "" : Shape(value.front())) + "]";
  if (value.is_number()) return "n";
  if (value.is_string()) return "s";
  if (value.is_boolean()) return "b";
  return "null";
}

const std::string kDevice = "{address:n,chip_id:s,name:s,inputs:n,outputs:n}";
const std::string kFile = "{address:n,name:s,file:s}";
const std::string kTransfer = "{address:n,name:s,file:s,result:s,code:n}";

struct JsonCommand {
  std::vector<std::string> args;
  std::string shape;
};

struct DspctlJson : ::testing::Test {
  TempDir dir;

  // Runs each command with --json against one dspsim, in order.
  void ExpectShapes(const std::string& devices, const std::string& scan_time, const std::vector<JsonCommand>& table) {
    SimProgram sim({"--devices", devices, "--effect-blocks", "2"}, dir.File("dspsim.err"));
    ASSERT_FALSE(sim.path().empty()) << sim.Errors();
    WriteText(dir.File("dsp.conf"), "config_effects.max = 2\nconfig_energy_full = 10000000\n");
    for (const auto& [args, shape] : table) {
      std::vector<std::string> line = {"--port",   sim.path(), "--scan-time", scan_time,
                                       "--config", "dsp.conf", "--json"};
      line.insert(line.end(), args.begin(), args.end());
      const ProgramRun run = RunProgram(DSPCTL_PATH, line, dir.File(""));
      ASSERT_EQ(run.status, 0) << ::testing::PrintToString(args) << "\n" << run.err;
      EXPECT_EQ(Shape(Document::parse(run.out)), shape) << ::testing::PrintToString(args) << "\n" << run.out;
    }
  }
};

// preset recall and reset write the document of preset save (PresetJson);
// they are left out for their waits of 12 s and 16 s.
TEST_F(DspctlJson, CommandsOnOneProcessor) {
  WriteText(dir.File("fw.bin"), std::string(1500, '\x5a'));
  ExpectShapes("Desk:1x1", "2000",
               {
                   {{"scan"}, "{port:s,devices:[" + kDevice + "]}"},
                   {{"read", "1", "-o", "desk"}, kFile},
                   {{"write", "1", "desk.ini"}, kFile},
                   {{"preset", "list", "1"}, "{address:n,name:s,presets:[{preset:n,name:s}]}"},
                   {{"preset", "save", "1", "3"}, "{address:n,name:s,preset:n}"},
                   {{"preset", "name", "1", "3", "Late"}, "{address:n,name:s,preset:n,preset_name:s}"},
                   {{"levels", "1", "--count", "2"}, "{address:n,name:s,readings:[{online:b,inputs:[n],outputs:[n]}]}"},
                   {{"pink", "1", "A", "on"}, "{address:n,channel:s,on:b}"},
                   {{"effects-save", "1", "fx"}, "{address:n,name:s,file:s,blocks:n,bytes:n}"},
                   {{"effects-load", "1", "fx.bin"}, kTransfer},
                   {{"firmware", "1", "fw.bin"}, kTransfer},
               });
}

TEST_F(DspctlJson, CopyBetweenTwoProcessors) {
  ExpectShapes("Desk:1x1,Rack:1x1", "5000",
               {{{"copy", "1", "2"}, "{source:" + kDevice + ",targets:[" + kDevice + "]}"}});
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
