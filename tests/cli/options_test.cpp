// The command line of dspctl: what each command takes, and what is refused.

#include "cli/options.h"

#include <gtest/gtest.h>

#include "cli/cli_failure.h"

namespace dsp {
namespace {

CommandLine Parse(const std::vector<std::string>& args) { return ParseCommandLine(args); }

TEST(DspctlOptions, GlobalOptionsStandBeforeOrAfterTheCommand) {
  const CommandLine before = Parse(
      {"--port", "/dev/ttyUSB1", "--baud", "9600", "--config", "dsp.conf", "--scan-time", "3000", "--json", "scan"});
  const GlobalOptions& b = before.global;
  EXPECT_EQ(std::make_tuple(b.port, b.baud, b.config_path, b.scan_time_ms, b.answer_wait_extra_ms, b.json),
            std::make_tuple(std::string("/dev/ttyUSB1"), std::optional(9600), std::string("dsp.conf"),
                            std::optional(3000), std::optional<int>(), true));
  EXPECT_EQ(before.command.kind, CommandKind::kScan);

  const GlobalOptions a =
      Parse({"scan", "--port=rfc2217://[::1]:4001", "--json", "--answer-wait-extra", "0"}).global;
  EXPECT_EQ(std::make_tuple(a.port, a.baud, a.scan_time_ms, a.answer_wait_extra_ms, a.json),
            std::make_tuple(std::string("rfc2217://[::1]:4001"), std::optional<int>(), std::optional<int>(),
                            std::optional(0), true));
}

TEST(DspctlOptions, SimulateNamesTheProcessors) {
  const CommandLine line = Parse({"--simulate", "Hall:8x8,Stage 2:4x8", "scan"});
  ASSERT_EQ(line.global.simulate.size(), 2u);
  EXPECT_EQ(line.global.simulate[1].name, "Stage 2");
  EXPECT_EQ(line.global.simulate[1].inputs, 4);
  EXPECT_EQ(line.global.simulate[1].outputs, 8);
}

TEST(DspctlOptions, EachCommandTakesItsArguments) {
  const Command read = Parse({"read", "2", "-o", "hall.ini"}).command;
  EXPECT_EQ(std::make_tuple(read.kind, read.device.address, read.device.chip_id.has_value(), read.file),
            std::make_tuple(CommandKind::kRead, 2, false, std::string("hall.ini")));
  const Command write = Parse({"write", "255", "a.ini"}).command;
  EXPECT_EQ(std::make_tuple(write.kind, write.device.address, write.file),
            std::make_tuple(CommandKind::kWrite, 255, std::string("a.ini")));

  const Command copy = Parse({"copy", "3", "1", "2"}).command;
  ASSERT_EQ(copy.targets.size(), 2u);
  EXPECT_EQ(std::make_tuple(copy.kind, copy.device.address, copy.targets[0].address, copy.targets[1].address),
            std::make_tuple(CommandKind::kCopy, 3, 1, 2));
  EXPECT_TRUE(Parse({"copy", "3"}).command.targets.empty());

  const Command name = Parse({"preset", "name", "1", "16", "Evening show"}).command;
  EXPECT_EQ(std::make_tuple(name.kind, name.preset, name.preset_name),
            std::make_tuple(CommandKind::kPresetName, 16, std::string("Evening show")));
  EXPECT_EQ(Parse({"preset", "recall", "1", "0"}).command.kind, CommandKind::kPresetRecall);
  EXPECT_EQ(Parse({"preset", "save", "1", "5"}).command.preset, 5);
  EXPECT_EQ(Parse({"preset", "list", "4"}).command.device.address, 4);

  EXPECT_EQ(Parse({"levels", "1"}).command.count, 1);
  EXPECT_EQ(Parse({"levels", "1", "--count", "20"}).command.count, 20);

  const Command pink = Parse({"pink", "1", "c", "on"}).command;
  EXPECT_EQ(std::make_pair(pink.channel, pink.on), std::make_pair(2, true));
  EXPECT_EQ(Parse({"pink", "1", "8", "off"}).command.channel, 7);
  EXPECT_FALSE(Parse({"pink", "1", "A", "off"}).command.on);

  EXPECT_EQ(Parse({"effects-save", "1", "fx"}).command.kind, CommandKind::kEffectsSave);
  EXPECT_EQ(Parse({"effects-load", "1", "fx.bin"}).command.kind, CommandKind::kEffectsLoad);
  EXPECT_EQ(Parse({"firmware", "1", "fw.bin"}).command.kind, CommandKind::kFirmware);
  EXPECT_EQ(Parse({"reset", "9"}).command.device.address, 9);
  EXPECT_EQ(Parse({"ports"}).command.kind, CommandKind::kPorts);
}

TEST(DspctlOptions, AProcessorMayBeNamedByItsChipId) {
  const ChipIdBytes hall = {0x0A, 0xB1, 0x00, 0xFF, 0x12, 0x34, 0x56, 0x78};
  const Command spaced = Parse({"write", "0A B1 00 FF 12 34 56 78", "a.ini"}).command;
  EXPECT_EQ(std::make_pair(spaced.device.chip_id, spaced.device.address), std::make_pair(std::optional(hall), 0));
  const Command copy = Parse({"copy", "2", "0ab100ff12345678", "3"}).command;
  ASSERT_EQ(copy.targets.size(), 2u);
  EXPECT_EQ(copy.targets[0].chip_id, hall);
  EXPECT_EQ(copy.targets[1].address, 3);
  // Sixteen decimal digits are a chip ID too: addresses have at most three.
  EXPECT_TRUE(Parse({"reset", "1234567890123456"}).command.device.chip_id);
}

// What is neither a chip ID nor digits names the processor by its name; the
// scan decides whether exactly one processor has it.
TEST(DspctlOptions, AProcessorMayBeNamedByItsName) {
  const struct {
    std::vector<std::string> args;
    std::string name;
  } cases[] = {
      {{"write", "Hall", "a.ini", "--force"}, "Hall"},
      {{"reset", "1x"}, "1x"},
      {{"levels", "Stage left"}, "Stage left"},
      {{"pink", "0A B1 00 FF 12 34 56", "A", "on"}, "0A B1 00 FF 12 34 56"},  // 14 digits: no chip ID
  };
  for (const auto& k : cases) {
    const Command command = Parse(k.args).command;
    EXPECT_EQ(command.device.name, k.name);
    EXPECT_EQ(command.device.address, 0);
    EXPECT_FALSE(command.device.chip_id);
  }
  EXPECT_TRUE(Parse({"write", "Hall", "a.ini", "--force"}).command.force);
  EXPECT_FALSE(Parse({"write", "Hall", "a.ini"}).command.force);
  EXPECT_EQ(Parse({"copy", "Hall", "Stage", "3"}).command.targets[0].name, "Stage");
}

TEST(DspctlOptions, DoubleDashLetsANameStartWithADash) {
  const Command name = Parse({"preset", "name", "1", "2", "--", "-- quiet --"}).command;
  EXPECT_EQ(name.preset_name, "-- quiet --");
}

TEST(DspctlOptions, HelpAndVersionWinOverEverythingElse) {
  EXPECT_TRUE(Parse({"read", "--help"}).help);
  EXPECT_TRUE(Parse({"-h"}).help);
  EXPECT_TRUE(Parse({"scan", "--version", "--baud", "fast"}).version);
  EXPECT_NE(UsageText().find("effects-save ADDR FILE.bin"), std::string::npos);
}

TEST(DspctlOptions, RefusalsSayWhatIsWrong) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "say which command"},
      {{"rescan"}, "unknown command \"rescan\""},
      {{"scan", "--colour"}, "unknown option \"--colour\""},
      {{"scan", "--port"}, "--port needs a value"},
      {{"--port", "/dev/x", "--simulate", "A:1x1", "scan"}, "not both"},
      {{"--simulate", "Hall", "scan"}, "NAME:INPUTSxOUTPUTS"},
      {{"--simulate", "Hall:9x2", "scan"}, "1 to 8 inputs"},
      {{"--baud", "fast", "scan"}, "--baud must be a whole number"},
      {{"--scan-time", "0", "scan"}, "--scan-time must be a whole number from 1"},
      {{"--answer-wait-extra", "-1", "scan"}, "--answer-wait-extra must be a whole number from 0 to 60000"},
      {{"--port", "tcp://", "scan"}, "--port: \"tcp://\" names no host: write tcp://HOST:PORT"},
      {{"--port", "tcp://host", "scan"}, "\"tcp://host\" names no TCP port: write tcp://HOST:PORT"},
      {{"--port", "tcp://host:99999", "scan"}, "has no TCP port from 1 to 65535"},
      {{"--port", "rfc2217://[::1", "scan"}, "never closes it"},
      {{"--port", "serial://ttyUSB0", "scan"}, "names no known kind of port"},
      {{"scan", "1"}, "usage: dspctl scan"},
      {{"read", "1"}, "read ADDR -o FILE.ini"},
      {{"read", "1", "-o", ""}, "-o needs a value"},
      {{"read", "1", "-o=x.ini"}, "write -o VALUE, without \"=\""},
      {{"--port", "", "scan"}, "--port needs a value"},
      {{"--port=", "scan"}, "--port needs a value"},
      {{"--port", "--json", "scan"}, "--port needs a value"},
      {{"--config", "", "scan"}, "--config needs a value"},
      {{"--port", "/dev/a", "scan", "--port", "/dev/b"}, "--port is given 2 times: give it once"},
      {{"--json", "--json", "scan"}, "--json is given 2 times"},
      {{"levels", "1", "--count", "2", "--count=3"}, "--count is given 2 times"},
      {{"--json=yes", "scan"}, "--json takes no value"},
      {{"read", "0", "-o", "x.ini"}, "an address must be a whole number from 1 to 255, not \"0\""},
      {{"read", "256", "-o", "x.ini"}, "not \"256\""},
      {{"read", "", "-o", "x.ini"}, "by its address, its chip ID or its name, not an empty word"},
      {{"read", "1", "-o", "x.ini", "--force"}, "--force belongs to the write command"},
      {{"write", "1", "a.ini", "-o", "b.ini"}, "-o belongs to the read command"},
      {{"write", "1"}, "usage: dspctl write ADDR FILE.ini"},
      {{"copy"}, "copy SRC DST..."},
      {{"preset", "1"}, "preset list|recall|save|name"},
      {{"preset", "recall", "1", "17"}, "the preset number must be a whole number from 0 to 16"},
      {{"preset", "recall", "1"}, "preset recall ADDR N"},
      {{"preset", "name", "1", "2", "twenty characters!!!"}, "Name length must less than 20 !"},
      {{"levels", "1", "--count", "0"}, "--count must be a whole number from 1"},
      {{"scan", "--count", "3"}, "--count belongs to the levels command"},
      {{"pink", "1", "I", "on"}, "letter from A to H"},
      {{"pink", "1", "9", "on"}, "letter from A to H"},
      {{"pink", "1", "A", "yes"}, "say \"on\" or \"off\""},
      {{"firmware", "1"}, "firmware ADDR FILE.bin"},
      {{"backup"}, "usage: dspctl backup DIR"},
      {{"restore", "site", "--only", "2F63F80F18BF7860,12"}, "--only takes chip IDs"},
      {{"backup", "site", "--dry-run"}, "--dry-run belongs to the restore command"},
      {{"scan", "--only", "2F63F80F18BF7860"}, "--only belongs to the restore command"},
      {{"eq-import", "1", "left", "A", "f.txt"}, "say \"in\" or \"out\""},
      {{"eq-import", "1", "in", "A"}, "eq-import ADDR in|out CH FILE"},
  };
  for (const auto& [args, message] : cases) {
    try {
      Parse(args);
      ADD_FAILURE() << "accepted: " << ::testing::PrintToString(args);
    } catch (const UsageError& error) {
      EXPECT_NE(std::string(error.what()).find(message), std::string::npos)
          << "got \"" << error.what() << "\" for " << ::testing::PrintToString(args);
    }
  }
}

TEST(DspctlOptions, BackupRestoreAndEqualiserImportTakeTheirArguments) {
  EXPECT_EQ(Parse({"backup", "site"}).command.file, "site");
  const Command restore =
      Parse({"restore", "site", "--only", "2F63F80F18BF7860, E9 DF FE 0F 3A 3C A2 09", "--dry-run"}).command;
  EXPECT_EQ(restore.kind, CommandKind::kRestore);
  ASSERT_EQ(restore.only.size(), 2u);
  EXPECT_EQ(restore.only[1][0], 0xE9);
  EXPECT_TRUE(restore.dry_run);
  EXPECT_FALSE(Parse({"restore", "site"}).command.dry_run);
  const Command import = Parse({"eq-import", "2", "out", "c", "room.txt"}).command;
  EXPECT_EQ(import.side, kOutputSide);
  EXPECT_EQ(import.channel, 2);
  EXPECT_EQ(import.file, "room.txt");
}

TEST(DspctlOptions, NineteenBytesAreTheLongestPresetName) {
  EXPECT_EQ(Parse({"preset", "name", "1", "2", std::string(19, 'n')}).command.preset_name.size(), 19u);
  EXPECT_THROW(Parse({"preset", "name", "1", "2", std::string(20, 'n')}), UsageError);
}

}  // namespace
}  // namespace dsp
