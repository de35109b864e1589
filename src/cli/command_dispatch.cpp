#include "cli/cli_failure.h"
#include "cli/commands.h"

namespace dsp {
namespace {

void RunOnBus(Session& session, const Command& command) {
  switch (command.kind) {
    case CommandKind::kScan:
      return RunScan(session);
    case CommandKind::kRead:
      return RunRead(session, command);
    case CommandKind::kWrite:
      return RunWrite(session, command);
    case CommandKind::kCopy:
      return RunCopy(session, command);
    case CommandKind::kPresetList:
      return RunPresetList(session, command);
    case CommandKind::kPresetRecall:
      return RunPresetRecall(session, command);
    case CommandKind::kPresetSave:
      return RunPresetSave(session, command);
    case CommandKind::kPresetName:
      return RunPresetName(session, command);
    case CommandKind::kReset:
      return RunReset(session, command);
    case CommandKind::kLevels:
      return RunLevels(session, command);
    case CommandKind::kPink:
      return RunPink(session, command);
    case CommandKind::kEffectsSave:
      return RunEffectsSave(session, command);
    case CommandKind::kEffectsLoad:
      return RunEffectsLoad(session, command);
    case CommandKind::kFirmware:
      return RunFirmware(session, command);
    case CommandKind::kBackup:
      return RunBackup(session, command);
    case CommandKind::kRestore:
      return RunRestore(session, command);
    case CommandKind::kEqImport:
      return RunEqImport(session, command);
    case CommandKind::kPorts:
      break;
  }
}

}  // namespace

int RunCommand(const CommandLine& line, Console& console) {
  try {
    if (line.command.kind == CommandKind::kPorts) {
      RunPorts(line.global, console);
    } else {
      Session session(line.global, console);
      RunOnBus(session, line.command);
    }
    return kExitSuccess;
  } catch (const CliFailure& failure) {
    console.Note(failure.what());
    return kExitFailure;
  } catch (const std::exception& error) {
    // Not one of the failures the commands foresee (memory, threads): still
    // one line and a failure status rather than an abort.
    console.Note(std::string("unexpected error: ") + error.what());
    return kExitFailure;
  }
}

}  // namespace dsp
