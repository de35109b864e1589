// The real dspctl against the real dspsim over a pseudo-terminal, in real
// time, with real files: what a user sees. Every dspctl run scans the bus
// first and reads and writes take seconds, so each case runs only the
// commands its point needs, one after another on one dspsim.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>

#include "../support/temp_dir.h"
#include "../support/child_process.h"
#include "json_shape.h"
#include "cli/utf8.h"
#include "link/bytes.h"
#include "persist/ini_file.h"

namespace dsp::testing {
namespace {

namespace fs = std::filesystem;

// One processor answers within a second; two or three need the default, or
// three seconds when they answer in slots.
const std::string kShortScan = "2000";

struct DspctlProgram : ::testing::Test {
  TempDir dir;

  ProgramRun Dspctl(const std::vector<std::string>& args) { return RunProgram(DSPCTL_PATH, args, dir.File("")); }

  // dspctl against `sim`, with the scan time given.
  ProgramRun On(const SimProgram& sim, const std::string& scan_time, std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", sim.path(), "--scan-time", scan_time});
    return Dspctl(args);
  }

  std::unique_ptr<SimProgram> Sim(std::vector<std::string> args) {
    auto sim = std::make_unique<SimProgram>(args, dir.File("dspsim.err"));
    EXPECT_EQ(sim->path().rfind("/dev/pts/", 0), 0u) << sim->Errors();
    return sim;
  }

  // dspctl against `sim`, run again (three runs at most) while it fails: a
  // loaded machine can keep the simulated processor's answers from a read
  // for longer than the read waits. For runs that read and are meant to
  // succeed; what is checked is what the run did.
  ProgramRun Repeated(const SimProgram& sim, const std::string& scan_time, const std::vector<std::string>& args) {
    ProgramRun run;
    for (int attempt = 0; attempt < 3 && run.status != 0; ++attempt) run = On(sim, scan_time, args);
    return run;
  }

  IniFile ReadIni(const std::string& name) {
    IniFile ini;
    const FileResult read = ReadIniFile(dir.File(name), ini);
    EXPECT_TRUE(read.Ok()) << read.message;
    return ini;
  }
};

// What the user sees of a failure: one line after the progress lines.
std::string LastLine(const std::string& text) {
  const std::string lines = text.substr(0, text.find_last_not_of('\n') + 1);
  return lines.substr(lines.rfind('\n') + 1);
}

// A run that failed saying `line` last, with nothing on its output.
void ExpectRefused(const ProgramRun& run, const std::string& line) {
  EXPECT_EQ(run.status, 1) << Lines(run);
  EXPECT_EQ(LastLine(run.err), line);
  EXPECT_EQ(run.out, "");
}

// What each usage error says is options_test's; here how dspctl says it.
TEST_F(DspctlProgram, UsageErrorsAndAMissingPortAreOneClearLine) {
  const ProgramRun usage = Dspctl({"--port", "/dev/null", "--port", "/dev/zero", "scan"});
  EXPECT_EQ(usage.status, 2) << Lines(usage);
  EXPECT_EQ(usage.err, "dspctl: --port is given 2 times: give it once\nTry 'dspctl --help'.\n");
  EXPECT_EQ(usage.out, "");

  const ProgramRun missing = Dspctl({"--port", "/dev/no-such-adapter", "scan"});
  EXPECT_EQ(missing.status, 1) << Lines(missing);
  EXPECT_EQ(missing.err,
            "dspctl: /dev/no-such-adapter does not exist: check that the adapter is plugged in, or choose another "
            "port.\n");
  EXPECT_EQ(missing.out, "");

  const ProgramRun help = Dspctl({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: dspctl"), std::string::npos);
}

// Processors "U1:1x1" to "U<count>:1x1".
std::string Units(int count) {
  std::string list;
  for (int i = 1; i <= count; ++i) list += (i > 1 ? "," : "") + ("U" + std::to_string(i) + ":1x1");
  return list;
}

struct Bus {
  std::string devices;  // as dspsim's --devices takes them
  const char* scan_time;
  bool all_found;  // else the scan is cut short while processors answer
};

void PrintTo(const Bus& bus, std::ostream* out) { *out << bus.devices << " in " << bus.scan_time << " ms"; }

class DspctlScan : public DspctlProgram, public ::testing::WithParamInterface<Bus> {};

// Every processor found is listed once under an address of its own, with the
// chip ID dspsim announced for it and its channel counts; a scan cut short
// says so and how long a scan would find the rest.
TEST_P(DspctlScan, ListsWhatAnsweredOrSaysTheScanWasCutShort) {
  const Bus& bus = GetParam();
  auto sim = Sim({"--devices", bus.devices, "--seed", "3"});
  const ProgramRun run = On(*sim, bus.scan_time, {"--json", "scan"});
  ASSERT_EQ(run.status, 0) << Lines(run);

  std::map<std::string, std::string> announced;  // name: "chip ID (IxO)"
  const std::string errors = sim->Errors();
  const std::regex line("dspsim: (\\w+) \\((\\dx\\d)\\), chip ID ([0-9A-F ]{23})");
  for (auto it = std::sregex_iterator(errors.begin(), errors.end(), line); it != std::sregex_iterator(); ++it) {
    announced[(*it)[1]] = (*it)[3].str() + " (" + (*it)[2].str() + ")";
  }
  const auto document = nlohmann::json::parse(run.out);
  EXPECT_EQ(document["port"], sim->path());
  const auto& devices = document["devices"];
  std::set<int> addresses;
  for (const auto& device : devices) {
    addresses.insert(device["address"].get<int>());
    const std::string counts =
        std::to_string(device["inputs"].get<int>()) + "x" + std::to_string(device["outputs"].get<int>());
    EXPECT_EQ(device["chip_id"].get<std::string>() + " (" + counts + ")", announced[device["name"]]) << run.out;
  }
  EXPECT_EQ(addresses.size(), devices.size()) << run.out;
  const std::regex cut_short("dspctl: found " + std::to_string(devices.size()) + " processors?, but the scan time " +
                             "ran out while processors were still answering: try --scan-time [0-9]+000 to find "
                             "the rest\n");
  if (bus.all_found) {
    EXPECT_EQ(ShapeOf(run.out), "{port:s,devices:[" + kDeviceShape + "]}");
    EXPECT_EQ(addresses, (std::set<int>{1, 2, 3, 4})) << Lines(run);
    EXPECT_EQ(devices.size(), announced.size()) << errors;
    EXPECT_FALSE(std::regex_search(run.err, cut_short)) << Lines(run);
  } else {
    EXPECT_LT(devices.size(), announced.size()) << Lines(run);
    EXPECT_TRUE(std::regex_search(run.err, cut_short)) << Lines(run);
    EXPECT_EQ(run.err.find("no processor answered"), std::string::npos) << Lines(run);
  }
}

INSTANTIATE_TEST_SUITE_P(Buses, DspctlScan,
                         ::testing::Values(Bus{"Hall:8x8,Stage:4x8,Lobby:2x4,Bar:1x1", "5000", true},
                                           Bus{Units(8), "2000", false}),
                         [](const ::testing::TestParamInfo<Bus>& info) {
                           return info.param.all_found ? "AllFound" : "CutShort";
                         });

// Eight processors answering in slots (found in five seconds on a quiet
// machine, ten when loaded), named in two scripts and of every length:
// one row each under the heading, and the inputs and outputs in one column
// whatever the names (a Chinese character takes two columns of a terminal).
TEST_F(DspctlProgram, AScanOfEightPrintsOneAlignedTable) {
  const std::vector<std::string> names = {"Hall", "舞台", "Lobby", "大厅左侧", "B", "Conference Room 2", "会议室", "X7"};
  std::string devices;
  for (const std::string& name : names) devices += (devices.empty() ? "" : ",") + name + ":2x2";
  auto sim = Sim({"--devices", devices, "--discovery", "slots", "--seed", "3"});
  const ProgramRun run = On(*sim, "10000", {"scan"});
  ASSERT_EQ(run.status, 0) << Lines(run);
  EXPECT_EQ(run.err.find("ran out"), std::string::npos) << run.err;
  std::vector<std::string> rows;
  for (std::size_t start = 0, end; (end = run.out.find('\n', start)) != std::string::npos; start = end + 1) {
    rows.push_back(run.out.substr(start, end - start));
  }
  ASSERT_EQ(rows.size(), names.size() + 1) << run.out;
  // Every row ends in the inputs and outputs ("2   2"), the heading in "IN  OUT".
  const std::size_t in_column = TerminalWidth(rows[0].substr(0, rows[0].size() - std::string("IN  OUT").size()));
  std::set<std::string> listed;
  for (std::size_t row = 1; row < rows.size(); ++row) {
    const std::string& line = rows[row];
    ASSERT_GE(line.size(), 31u) << line;
    EXPECT_EQ(line.substr(line.size() - 5), "2   2") << line;
    EXPECT_EQ(TerminalWidth(line.substr(0, line.size() - 5)), in_column) << run.out;
    std::string name = line.substr(31, line.size() - 5 - 31);
    listed.insert(name.erase(name.find_last_not_of(' ') + 1));
  }
  EXPECT_EQ(listed, std::set<std::string>(names.begin(), names.end())) << run.out;
}

// Values the encodings carry, and what reading them back gives: gains keep
// whole tenths of a dB, a switched-off matrix cell reads back level 0.
void Edit(IniFile& ini, IniFile& expected) {
  const std::vector<std::tuple<std::string, std::string, std::string, std::string>> edits = {
      {"input 0", "gain", "-1234", "-1230"},
      {"input 0", "delay", "480", "480"},
      {"input 0", "delay_enable", "1", "1"},
      {"input 0", "noise_gate_enable", "1", "1"},
      {"input 0", "noise_gate_start_gate", "-40", "-40"},
      {"input 1", "mute", "1", "1"},
      {"input 1", "polarity", "1", "1"},
      {"input 1", "equalizer_enable_5", "1", "1"},
      {"input 1", "equalizer_gain_5", "-350", "-350"},
      {"input 1", "equalizer_frequence_5", "1234", "1234"},
      {"input 1", "equalizer_q_5", "707", "707"},
      {"input 1", "equalizer_type_5", "7", "7"},
      {"output 0", "limit_enable", "1", "1"},
      {"output 0", "limit_start_gate", "-20", "-20"},
      {"output 0", "filter_high_pass_enable", "1", "1"},
      {"output 0", "filter_high_pass_frequence", "85", "85"},
      {"output 1", "gain", "-600", "-600"},
      {"output 1", "compressor_enable", "1", "1"},
      {"output 1", "compressor_ratio", "4", "4"},
      {"output 1", "compressor_start_time", "30", "30"},
      {"router", "in_1_out_0", "75", "75"},
      {"router", "in_1_out_0_enable", "1", "1"},
      {"router", "in_0_out_1", "40", "0"},
      {"router", "in_0_out_1_enable", "0", "0"},
  };
  for (const auto& [section, key, written, read_back] : edits) {
    ini.Set(section, key, written);
    expected.Set(section, key, read_back);
  }
}

// Addresses change from scan to scan, so a file read from one processor could
// land in another; and a value the write frame would wrap reached the
// processor as another value while dspctl reported success. Both are refused
// with nothing sent; written with --force, the edited file is what a read
// then gives back. On a line that loses answers, garbles some (a few keeping
// the checksum) and delivers some late, past the next request, a read gives
// what it gave on a quiet line.
TEST_F(DspctlProgram, FilesReadAndWrittenHoldWhatTheProcessorHolds) {
  const std::vector<std::string> desk = {"--devices", "Desk:2x2", "--seed", "6"};
  auto sim = Sim(desk);
  const ProgramRun first = Repeated(*sim, kShortScan, {"read", "1", "-o", "first"});
  ASSERT_EQ(first.status, 0) << Lines(first);
  EXPECT_EQ(first.out, "Saved the parameters of Desk (address 1) to first.ini\n");

  IniFile edited = ReadIni("first.ini");
  const std::string chip = edited.Value("processor", "chip_id").value_or("");
  ASSERT_EQ(chip.size(), 23u) << "the file names the processor it was read from";
  IniFile expected = edited;
  Edit(edited, expected);
  edited.Set("processor", "chip_id", "00 11 22 33 44 55 66 77");
  ASSERT_TRUE(WriteIniFile(dir.File("foreign.ini"), edited).Ok());
  IniFile wrapping = edited;
  wrapping.Set("input 0", "gain", "99999999999");
  ASSERT_TRUE(WriteIniFile(dir.File("wrapping.ini"), wrapping).Ok());

  ExpectRefused(On(*sim, kShortScan, {"write", "Desk", "wrapping.ini", "--force"}),
                "dspctl: \"wrapping.ini\": [input 0] gain = 99999999999 is out of range: use -347680 to 307670. "
                "Nothing was changed; correct that value or choose another file.");
  ExpectRefused(On(*sim, kShortScan, {"write", "1", "foreign.ini"}),
                "dspctl: foreign.ini was read from Desk, chip ID 00 11 22 33 44 55 66 77, not from Desk (address 1), "
                "chip ID " + chip + ": nothing was written. Add --force to write it all the same.");
  const ProgramRun untouched = Repeated(*sim, kShortScan, {"--json", "read", "1", "-o", "untouched.ini"});
  ASSERT_EQ(untouched.status, 0) << Lines(untouched);
  EXPECT_EQ(ShapeOf(untouched.out), kFileShape);
  EXPECT_EQ(ReadText(dir.File("untouched.ini")), ReadText(dir.File("first.ini"))) << "a refused file sent nothing";

  const ProgramRun write = On(*sim, kShortScan, {"--json", "write", "1", "foreign.ini", "--force"});
  ASSERT_EQ(write.status, 0) << Lines(write);
  EXPECT_EQ(ShapeOf(write.out), kFileShape);
  EXPECT_NE(write.err.find("Synchronize to device... 100%"), std::string::npos) << write.err;
  const ProgramRun second = Repeated(*sim, kShortScan, {"read", "1", "-o", "second.ini"});
  ASSERT_EQ(second.status, 0) << Lines(second);
  EXPECT_EQ(ReadIni("second.ini").Serialize(), expected.Serialize());

  sim.reset();
  std::vector<std::string> noisy_desk = desk;
  noisy_desk.insert(noisy_desk.end(), {"--faults", "drop=0.1,garble=0.02,validsum=0.5,late=0.05"});
  auto noisy = Sim(noisy_desk);
  const ProgramRun noisy_read = On(*noisy, "5000", {"read", "1", "-o", "noisy.ini"});
  ASSERT_EQ(noisy_read.status, 0) << Lines(noisy_read);
  EXPECT_EQ(ReadText(dir.File("noisy.ini")), ReadText(dir.File("first.ini")));
}

TEST_F(DspctlProgram, ProcessorsNobodyAnsweredAreRefused) {
  auto sim = Sim({"--devices", "Desk:1x1"});
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"read", "7", "-o", "x.ini"}, "no processor at address 7 (the scan found 1): see 'dspctl scan'"},
      {{"pink", "00 00 00 00 00 00 00 00", "A", "on"},
       "no processor with chip ID 00 00 00 00 00 00 00 00 (the scan found 1): see 'dspctl scan'"},
      {{"copy", "5", "1"}, "Invalid Source: no processor at address 5 (the scan found 1)"},
      {{"copy", "1", "1"}, "Have None valid Target: name at least one destination besides the source"},
  };
  for (const auto& [args, message] : cases) ExpectRefused(On(*sim, kShortScan, args), "dspctl: " + message);
  EXPECT_FALSE(fs::exists(dir.File("x.ini")));
}

// A pulled adapter mid-write used to end in "success", and a scan time
// above INT_MAX in a division by zero: both are one line now.
TEST_F(DspctlProgram, AVanishedAdapterAndAnImpossibleScanTimeFailWithOneLine) {
  auto sim = Sim({"--devices", "Desk:1x1", "--faults", "hangup-after=30"});
  WriteText(dir.File("p.ini"), "[input 0]\n");
  ExpectRefused(On(*sim, kShortScan, {"write", "1", "p.ini"}),
                "dspctl: " + sim->path() +
                    " stopped working (Input/output error): check that the adapter is plugged in, then try again.");

  WriteText(dir.File("huge.conf"), "config_scan_time = 4294965796\n");
  const ProgramRun huge = Dspctl({"--config", "huge.conf", "--simulate", "Desk:1x1", "scan"});
  EXPECT_EQ(huge.status, 1) << Lines(huge);
  EXPECT_EQ(huge.err, "dspctl: \"huge.conf\": config_scan_time = 4294965796 is out of range: use 1 to 3600000.\n");
}

// The simulated meters: full scale 0x10000000; pink noise at volume 255 plays
// at -6 dB, far above an input's programme (-24 dB, wandering 3 dB).
TEST_F(DspctlProgram, PresetNamesPinkNoiseAndLevelsAsAUserSeesThem) {
  auto sim = Sim({"--devices", "Desk:2x2", "--seed", "8"});
  WriteText(dir.File("dsp.conf"), "config_energy_full = 10000000\nconfig_pink_noise_volume = 255\n");
  auto dspctl = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--config", "dsp.conf"});
    const ProgramRun run = Repeated(*sim, kShortScan, args);
    EXPECT_EQ(run.status, 0) << Lines(run);
    return run;
  };
  EXPECT_EQ(dspctl({"preset", "name", "1", "5", "Evening"}).out, "Named preset 5 of Desk (address 1) \"Evening\"\n");
  const std::string list = dspctl({"--json", "preset", "list", "1"}).out;
  EXPECT_EQ(ShapeOf(list), "{address:n,name:s,presets:[{preset:n,name:s}]}");
  const auto presets = nlohmann::json::parse(list)["presets"];
  ASSERT_EQ(presets.size(), 17u);
  EXPECT_EQ(presets[5]["name"], "Evening");
  EXPECT_EQ(presets[16]["preset"], 16);

  auto input_a_db = [&] {
    const std::string levels = dspctl({"--json", "levels", "1", "--count", "2"}).out;
    EXPECT_EQ(ShapeOf(levels), "{address:n,name:s,readings:[{online:b,inputs:[n],outputs:[n]}]}");
    const auto readings = nlohmann::json::parse(levels)["readings"];
    EXPECT_EQ(readings.size(), 2u);
    EXPECT_TRUE(readings[1]["online"]);
    EXPECT_EQ(readings[1]["outputs"].size(), 2u);
    return readings[1]["inputs"][0].get<double>();
  };
  const double quiet = input_a_db();
  std::smatch announced;
  const std::string errors = sim->Errors();
  ASSERT_TRUE(std::regex_search(errors, announced, std::regex("chip ID ([0-9A-F ]{23})"))) << errors;
  EXPECT_EQ(dspctl({"pink", announced[1], "A", "on"}).out, "Pink noise playing on IN A of Desk (address 1)\n");
  const double playing = input_a_db();
  EXPECT_LT(quiet, -18.0);
  EXPECT_GT(playing, -9.0);
}

TEST_F(DspctlProgram, EffectMemoryRoundTripsThroughFiles) {
  auto sim = Sim({"--devices", "Desk:1x1", "--effect-blocks", "8", "--dump-dir", dir.File("received")});
  const ProgramRun unconfigured = On(*sim, kShortScan, {"effects-save", "1", "none.bin"});
  EXPECT_EQ(unconfigured.status, 1) << Lines(unconfigured);
  EXPECT_NE(unconfigured.err.find("config_effects max is 0"), std::string::npos) << unconfigured.err;
  EXPECT_EQ(unconfigured.err.find("Scanning"), std::string::npos) << "refused before the scan";
  EXPECT_FALSE(fs::exists(dir.File("none.bin")));

  WriteText(dir.File("dsp.conf"), "# eight blocks of 128 bytes\nconfig_effects.max = 8\n");
  const ProgramRun saved =
      Repeated(*sim, kShortScan, {"--config", "dsp.conf", "--json", "effects-save", "1", "original"});
  ASSERT_EQ(saved.status, 0) << Lines(saved);
  EXPECT_EQ(ShapeOf(saved.out), "{address:n,name:s,file:s,blocks:n,bytes:n}");
  const Bytes original = ReadBytes(dir.File("original.bin"));
  ASSERT_EQ(original.size(), 8u * 128u);

  const Bytes pattern = PatternBytes(original.size(), 3);
  dir.Write("pattern.bin", pattern);
  const ProgramRun loaded = On(*sim, kShortScan, {"--config", "dsp.conf", "effects-load", "1", "pattern.bin"});
  ASSERT_EQ(loaded.status, 0) << Lines(loaded);
  EXPECT_EQ(loaded.out, "Import Parameter Success: sent pattern.bin (1024 bytes) to Desk (address 1)\n");
  EXPECT_EQ(ReadBytes(dir.File("received/1-Desk-parameters-1.bin")), pattern);
  ASSERT_EQ(Repeated(*sim, kShortScan, {"--config", "dsp.conf", "effects-save", "1", "after-pattern.bin"}).status, 0);
  EXPECT_EQ(ReadBytes(dir.File("after-pattern.bin")), pattern);
}

// An empty image used to go out and be reported as "Update Success".
TEST_F(DspctlProgram, AnEmptyImageIsRefusedBeforeTheBusIsTouched) {
  dir.Write("empty.bin", std::string());
  for (const char* command : {"firmware", "effects-load"}) {
    const ProgramRun run = Dspctl({"--simulate", "Desk:1x1", command, "1", "empty.bin"});
    EXPECT_EQ(run.status, 1) << Lines(run);
    EXPECT_EQ(run.err, "dspctl: empty.bin is empty: name the image file to send.\n") << command;
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(DspctlProgram, FirmwareArrivesByteExactWhenTheProcessorIsAlone) {
  auto sim = Sim({"--devices", "Desk:1x1", "--dump-dir", dir.File("received")});
  const Bytes firmware = PatternBytes(3000, 9);
  dir.Write("fw.bin", firmware);
  const ProgramRun run = On(*sim, kShortScan, {"--json", "firmware", "1", "fw.bin"});
  ASSERT_EQ(run.status, 0) << Lines(run);
  EXPECT_EQ(ShapeOf(run.out), kTransferShape);
  const auto document = nlohmann::json::parse(run.out);
  EXPECT_EQ(document["result"], "Update Success");
  EXPECT_EQ(document["code"], 0);
  EXPECT_EQ(ReadBytes(dir.File("received/1-Desk-firmware-1.bin")), firmware);
  EXPECT_NE(sim->Errors().find("dspsim: Desk received \"fw.bin\" (3000 bytes)"), std::string::npos) << sim->Errors();
}

TEST_F(DspctlProgram, FirmwareIsRefusedWithTwoProcessorsOnTheBus) {
  auto sim = Sim({"--devices", "Desk:1x1,Rack:2x2", "--discovery", "slots", "--dump-dir", dir.File("received")});
  dir.Write("fw.bin", PatternBytes(3000, 9));
  ExpectRefused(On(*sim, "3000", {"firmware", "1", "fw.bin"}),
                "dspctl: Only one device can be online when upgrade: the scan found 2 processors. Disconnect the "
                "others and try again.");
  EXPECT_EQ(EntryCount(dir.File("received")), 0);
}

}  // namespace
}  // namespace dsp::testing
