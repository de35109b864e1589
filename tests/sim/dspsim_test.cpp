// dspsim: its command line, and the program serving a pseudo-terminal.

#include <gtest/gtest.h>

#include <filesystem>

#include "../support/child_process.h"
#include "../support/temp_dir.h"
#include "sim/chip_id.h"
#include "sim/dspsim_options.h"
#include "sim_test_support.h"
#include "terminal_support.h"

namespace dsp::test {
namespace {

namespace fs = std::filesystem;

TEST(DspsimOptions, ReadsDevicesSeedFaultsAndPaths) {
  const ParsedOptions parsed = ParseDspsimArgs(
      {"--devices", "Hall:8x8,Stage 2:4x8", "--seed", "42", "--link", "/tmp/x", "--dump-dir", "d", "--faults",
       "drop=0.1,garble=0.02,validsum=0.25,late=0.5,wrongaddr=1,silent-after=7,hangup-after=9,altformat", "--effect-blocks", "64",
       "--discovery", "slots"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const DspsimOptions& o = *parsed.options;
  ASSERT_EQ(o.devices.size(), 2u);
  EXPECT_EQ(std::make_tuple(o.devices[1].name, o.devices[1].inputs, o.devices[1].outputs, o.seed, o.link_path,
                            o.dump_dir),
            std::make_tuple(std::string("Stage 2"), 4, 8, 42u, std::string("/tmp/x"), std::string("d")));
  // A fraction reads as the same double as its literal here.
  EXPECT_EQ(std::make_tuple(o.faults.drop, o.faults.garble, o.faults.garble_keeps_sum, o.faults.late,
                            o.faults.wrong_address, o.faults.silent_after, o.hang_up_after, o.faults.other_formats),
            std::make_tuple(0.1, 0.02, 0.25, 0.5, 1.0, std::optional(7), std::optional(9), true));
  EXPECT_EQ(o.effect_blocks, 64);
  EXPECT_EQ(o.discovery, DiscoveryBehaviour::kSlots);
  EXPECT_EQ(ParseDspsimArgs({"--devices", "Hall:2x2"}).options->discovery, DiscoveryBehaviour::kHalves);
}

TEST(DspsimOptions, HelpAndVersionNeedNothingElse) {
  EXPECT_TRUE(ParseDspsimArgs({"--seed", "x", "-h"}).options->help);
  EXPECT_TRUE(ParseDspsimArgs({"--version"}).options->version);
  EXPECT_EQ(ParseDspsimArgs({"--devices=Hall:2x2", "--seed=9"}).options->seed, 9u);
}

TEST(DspsimOptions, ExplainsWhatIsWrong) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "--devices"},
      {{"--devices", "Hall"}, "NAME:INPUTSxOUTPUTS"},
      {{"--devices", "Hall:0x8"}, "1 to 8 inputs"},
      {{"--devices", "Hall:8x9"}, "1 to 8 inputs"},
      {{"--devices", "A name that is far too long:2x2"}, "1 to 20 bytes"},
      {{"--devices", "Hall:2x2", "--faults", "drop=2"}, "fraction from 0 to 1"},
      {{"--devices", "Hall:2x2", "--faults", "jitter=1"}, "unknown fault \"jitter\""},
      {{"--devices", "Hall:2x2", "--seed", "x1"}, "--seed takes a whole number"},
      {{"--devices", "Hall:2x2", "--effect-blocks", "0"}, "1 to 65536"},
      {{"--devices", "Hall:2x2", "--discovery", "random"}, "--discovery takes halves or slots, not \"random\""},
      {{"--devices", "Hall:2x2", "--link"}, "needs a value"},
      {{"--devices", "Hall:2x2", "--colour", "red"}, "unknown option"},
      {{"--devices", "Hall:2x2", "stray"}, "unexpected \"stray\""},
      {{"--devices", "Hall:2x2", "--link", ""}, "--link needs a value"},
      {{"--devices", "Hall:2x2", "--devices", "Rack:1x1"}, "--devices is given 2 times: give it once"},
      {{"--devices", "Hall:2x2", "--seed", "1", "--seed=2"}, "--seed is given 2 times"},
  };
  for (const auto& [args, message] : cases) {
    const ParsedOptions parsed = ParseDspsimArgs(args);
    EXPECT_FALSE(parsed.options) << message;
    EXPECT_NE(parsed.error.find(message), std::string::npos) << parsed.error;
  }
}

// What dspsim does with images it receives is proven with dspctl sending
// them (dspctl_program_test).
TEST(DspsimProgram, PrintsItsPathAndServesUntilStopped) {
  const testing::TempDir temp;
  const fs::path link = temp.path() / "bus";
  testing::SimProgram sim({"--devices", "Hall:2x4", "--seed", "7", "--link", link.string()},
                          (temp.path() / "err.txt").string());
  const std::string path = sim.path();
  ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
  ASSERT_EQ(fs::read_symlink(link), path);

  CSerialPort line;
  ASSERT_TRUE(line.Open(link.string())) << line.Error();
  line.Write(Frame(0xF2, 0, 0xE1));
  const Bytes identify = ReadFor(line, 14);
  ASSERT_EQ(identify.size(), 14u);
  const ChipId id = DeriveChipId(7, 0);
  EXPECT_TRUE(std::equal(id.begin(), id.end(), identify.begin() + 5));
  line.Close();

  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_FALSE(fs::is_symlink(link));
}

TEST(DspsimProgram, RefusesBadArgumentsWithAUsageError) {
  const testing::TempDir dir;
  const testing::ProgramRun run = testing::RunProgram(DSPSIM_PATH, {"--devices", "Hall:9x9"}, dir.path().string());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("1 to 8 inputs"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("dspsim --help"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace dsp::test
