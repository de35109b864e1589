// Backing up and restoring a whole installation, and importing an
// equaliser, against simulated processors behind a real pseudo-terminal
// (in process, in real time); and a backup killed half-way, as a program.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <thread>
#include <utility>

#include "../support/child_process.h"
#include "../support/temp_dir.h"
#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "persist/installation.h"
#include "persist/parameter_file.h"
#include "sim/pty_endpoint.h"

namespace dsp::testing {
namespace {

// "Unit 1 of 2, Left" for every unit whose progress line of `phase` got to
// 100 %.
std::set<std::string> FinishedUnits(const std::string& errors, const std::string& phase) {
  std::set<std::string> units;
  const std::regex line("(Unit \\d+ of \\d+, \\w+): " + phase + "\\.\\.\\. 100% ");
  for (auto it = std::sregex_iterator(errors.begin(), errors.end(), line); it != std::sregex_iterator(); ++it) {
    units.insert((*it)[1]);
  }
  return units;
}

// A command on a file or folder, as the parser leaves it.
Command FileCommand(CommandKind kind, std::string file, bool dry_run = false) {
  Command command;
  command.kind = kind;
  command.file = std::move(file);
  command.dry_run = dry_run;
  return command;
}

class InstallationTest : public ::testing::Test {
 protected:
  InstallationTest() { OpenBus(); }
  // Two processors behind a fresh pseudo-terminal; the same chip IDs every
  // time. Answering in slots, both are found within a short scan.
  void OpenBus() {
    endpoint.reset();
    auto bus = std::make_unique<SimBus>(11, DiscoveryBehaviour::kSlots);
    bus->Add("Left", 2, 2);
    bus->Add("Sub", 1, 2);
    std::string error;
    endpoint = PtyEndpoint::Open(std::move(bus), error);
    ASSERT_NE(endpoint, nullptr) << error;
    options.port = endpoint->path();
    options.scan_time_ms = 2000;
  }
  ~InstallationTest() override {
    std::fclose(out);
    std::fclose(err);
  }

  // Runs one dspctl command in a session of its own, as a new dspctl would.
  void Run(void (*command)(Session&, const Command&), Command what) {
    Session session(options, console);
    command(session, what);
  }
  std::vector<SimParameters> ProcessorState() {
    return endpoint->WithBus([](SimBus& bus) {
      std::vector<SimParameters> state;
      for (std::size_t i = 0; i < bus.size(); ++i) state.push_back(bus.processor(i).parameters());
      return state;
    });
  }
  std::string Output() { return Contents(out); }
  // Progress and notes since the last look.
  std::string TakeErrors() {
    const std::string all = Contents(err);
    return all.substr(std::exchange(errors_taken, all.size()));
  }
  static std::string Contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
    return text;
  }

  TempDir dir;
  std::unique_ptr<PtyEndpoint> endpoint;
  GlobalOptions options;
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  SteadyLoopClock clock;
  Console console{out, err, false, false, clock};
  std::size_t errors_taken = 0;
};

TEST_F(InstallationTest, ARestoreBringsEveryProcessorBackAndRefusesOneWithOtherCounts) {
  endpoint->WithBus([](SimBus& bus) {
    bus.processor(0).parameters().inputs[1].gain_raw = 1900;
    bus.processor(1).parameters().outputs[1].mute = true;
    return 0;
  });
  const std::vector<SimParameters> saved = ProcessorState();
  const std::string folder = dir.File("site");
  Run(RunBackup, FileCommand(CommandKind::kBackup, folder));
  Installation installation;
  ASSERT_TRUE(LoadManifest(folder, installation).Ok());
  ASSERT_EQ(installation.units.size(), 2u);
  // Each unit's progress says which unit of how many it is, in the
  // manifest's order, which a restore follows too.
  const std::set<std::string> both = {"Unit 1 of 2, " + installation.units[0].name,
                                      "Unit 2 of 2, " + installation.units[1].name};
  EXPECT_EQ(FinishedUnits(TakeErrors(), "Synchronize from device"), both);

  endpoint->WithBus([](SimBus& bus) {
    for (std::size_t i = 0; i < bus.size(); ++i) bus.processor(i).parameters().outputs[0].gain_raw = 1500;
    return 0;
  });
  ASSERT_NE(ProcessorState(), saved);
  Command restore = FileCommand(CommandKind::kRestore, folder, true);
  Run(RunRestore, restore);
  EXPECT_NE(ProcessorState(), saved) << "a dry run writes nothing";
  EXPECT_EQ(FinishedUnits(TakeErrors(), "Synchronize to device"), std::set<std::string>{});
  restore.dry_run = false;
  Run(RunRestore, restore);
  EXPECT_EQ(ProcessorState(), saved);
  EXPECT_EQ(FinishedUnits(TakeErrors(), "Synchronize to device"), both);

  for (InstallationUnit& unit : installation.units) {
    if (unit.name == "Sub") unit.inputs = 2;
  }
  ASSERT_TRUE(SaveManifest(folder, installation).Ok());
  try {
    Run(RunRestore, restore);
    ADD_FAILURE() << "a unit with other counts was taken for restored";
  } catch (const CliFailure&) {
  }
  const std::string said = Output();
  EXPECT_NE(said.find("Sub (address"), std::string::npos) << said;
  EXPECT_NE(said.find("refused: other channel counts than the backup"), std::string::npos) << said;
  EXPECT_EQ(FinishedUnits(TakeErrors(), "Synchronize to device"), std::set<std::string>{"Unit 1 of 1, Left"});
}

// A lost port used to leave backup and restore working through every other
// unit, each failing in turn; the loss ends them at once, with its message.
TEST_F(InstallationTest, ALostPortEndsBackupAndRestoreAtOnce) {
  // The backup to restore is made from the processors' identities, without
  // reading them: the test is about what happens when the line dies.
  const std::string folder = dir.File("site");
  Installation installation{"2026-01-01T00:00:00Z", {}};
  endpoint->WithBus([&](SimBus& bus) {
    for (std::size_t i = 0; i < bus.size(); ++i) {
      const SimProcessor& unit = bus.processor(i);
      EXPECT_TRUE(BackUpUnit(folder, DeviceRecord(1, unit.chip_id(), unit.inputs(), unit.outputs(), unit.name()),
                             installation)
                      .Ok());
    }
    return 0;
  });
  ASSERT_TRUE(SaveManifest(folder, installation).Ok());
  Command backup = FileCommand(CommandKind::kBackup, dir.File("again"));
  const auto writes = [this] {
    return endpoint->WithBus([](SimBus& bus) { return static_cast<int>(bus.host_writes().size()); });
  };
  // A scan's writes, measured by a dry run, tell where the next one ends: the
  // line dies after the next scan, inside the first unit's work (or, after a
  // longer scan, within it: the command must end at once all the same).
  Command restore = FileCommand(CommandKind::kRestore, folder, true);
  const int before_scan = writes();
  Run(RunRestore, restore);
  const int scan_writes = writes() - before_scan;
  restore.dry_run = false;
  for (Command* command : {&restore, &backup}) {
    const std::string lost = endpoint->path() + " stopped working";
    const int hang_up = writes() + scan_writes + 10;
    endpoint->WithBus([hang_up](SimBus& bus) {
      bus.HangUpAfter(hang_up);
      return 0;
    });
    try {
      Run(command == &restore ? RunRestore : RunBackup, *command);
      ADD_FAILURE() << "a lost port was taken for done";
    } catch (const CliFailure& failure) {
      EXPECT_EQ(std::string(failure.what()).rfind(lost, 0), 0u) << failure.what();
    }
    OpenBus();
  }
}

TEST_F(InstallationTest, AnImportedEqualiserReachesTheProcessor) {
  const std::string file = dir.File("right.txt");
  std::ofstream(file) << "Filter Settings file\n"
                         "Filter  1: ON  PK  Fc  125.0 Hz  Gain  -4.5 dB  Q  3.20\n"
                         "Filter  2: ON  HS  Fc  8000 Hz  Gain  2.0 dB\n";
  Command import = FileCommand(CommandKind::kEqImport, file);
  import.device = DeviceRef{1, std::nullopt, ""};
  import.side = kOutputSide;
  import.channel = 1;
  Run(RunEqImport, import);
  const std::vector<SimBand> bands = endpoint->WithBus([](SimBus& bus) {
    const SimProcessor* unit = bus.FindByAddress(1);
    return unit ? std::vector<SimBand>(unit->parameters().outputs[1].bands.begin(),
                                       unit->parameters().outputs[1].bands.end())
                : std::vector<SimBand>{};
  });
  ASSERT_GE(bands.size(), static_cast<std::size_t>(kEqBands)) << "no processor at address 1";
  EXPECT_EQ(bands[0].frequency, 125);
  EXPECT_EQ(bands[0].q, 320);
  EXPECT_EQ(bands[1].type, 7);
  for (int band = 0; band < kEqBands; ++band) EXPECT_EQ(bands[band].on, band < 2) << band;
}

// dspctl backup killed while it reads: whatever it left, the manifest never
// names a file that is not there whole.
TEST(InterruptedBackup, LeavesNoManifestEntryForAMissingFile) {
  TempDir dir;
  SimProgram sim({"--devices", "A:2x2,B:2x2,C:2x2", "--seed", "3", "--discovery", "slots"}, dir.File("dspsim.err"));
  ASSERT_FALSE(sim.path().empty()) << sim.Errors();
  const std::string folder = dir.File("site");
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execl(DSPCTL_PATH, DSPCTL_PATH, "--port", sim.path().c_str(), "--scan-time", "3000", "backup", folder.c_str(),
          nullptr);
    _exit(127);
  }
  const auto unit_files = [&] {
    int count = 0;
    if (std::filesystem::exists(folder)) {
      for (const auto& entry : std::filesystem::directory_iterator(folder)) count += entry.path().extension() == ".ini";
    }
    return count;
  };
  for (int waited = 0; waited < 600 && unit_files() < 1; ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  ASSERT_GE(unit_files(), 1) << "the backup never saved a unit";
  EXPECT_FALSE(std::filesystem::exists(folder + "/" + kManifestFile)) << "three units, killed after the first";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".ini") continue;  // a temporary the kill left is no unit file
    DeviceRecord record(1, {}, 2, 2, "");
    EXPECT_TRUE(LoadParameterFile(entry.path().string(), Configuration{}, record).Ok())
        << entry.path() << " is not whole";
  }
}

}  // namespace
}  // namespace dsp::testing
