#pragma once

// The dspctl commands, one group per file. Each writes its result through
// the session's console and throws CliFailure when it cannot do its work.

#include "cli/console.h"
#include "cli/options.h"
#include "cli/session.h"

namespace dsp {

// Runs the command line's command; returns the exit status.
int RunCommand(const CommandLine& line, Console& console);

// bus_commands.cpp
void RunPorts(const GlobalOptions& options, Console& console);
void RunScan(Session& session);

// parameter_commands.cpp
void RunRead(Session& session, const Command& command);
void RunWrite(Session& session, const Command& command);
void RunCopy(Session& session, const Command& command);

// preset_commands.cpp
void RunPresetList(Session& session, const Command& command);
void RunPresetRecall(Session& session, const Command& command);
void RunPresetSave(Session& session, const Command& command);
void RunPresetName(Session& session, const Command& command);
void RunReset(Session& session, const Command& command);
// Recalls the preset on the processor at `address`, waits for it to settle
// and reads it back; fails when the recall did not go out.
void RecallAndReadBack(Session& session, int address, int preset, const std::string& label);
// Stores the current settings of the processor at `address` as the preset
// and waits while it saves them; fails when the save did not go out.
void SavePresetAndWait(Session& session, int address, int preset);

// meter_commands.cpp
void RunLevels(Session& session, const Command& command);
void RunPink(Session& session, const Command& command);

// image_commands.cpp
void RunEffectsSave(Session& session, const Command& command);
void RunEffectsLoad(Session& session, const Command& command);
void RunFirmware(Session& session, const Command& command);

// installation_commands.cpp
void RunBackup(Session& session, const Command& command);
void RunRestore(Session& session, const Command& command);

// equaliser_commands.cpp
void RunEqImport(Session& session, const Command& command);

}  // namespace dsp
