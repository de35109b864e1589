#pragma once

// The command line of dspctl:
//   dspctl [--port PATH | --simulate DEVICES] [--baud N] [--config FILE]
//          [--scan-time MS] [--answer-wait-extra MS] [--json] COMMAND [ARGUMENTS]
// Options may stand before or after the command, each at most once; "--"
// ends them. Anything that cannot be understood throws UsageError with a
// message naming it.

#include <optional>
#include <string>
#include <vector>

#include "model/device_record.h"
#include "sim/dspsim_options.h"

namespace dsp {

enum class CommandKind {
  kPorts,
  kScan,
  kRead,
  kWrite,
  kCopy,
  kPresetList,
  kPresetRecall,
  kPresetSave,
  kPresetName,
  kReset,
  kLevels,
  kPink,
  kEffectsSave,
  kEffectsLoad,
  kFirmware,
  kBackup,
  kRestore,
  kEqImport,
};

struct GlobalOptions {
  std::string port;  // a device path, tcp://HOST:PORT or rfc2217://HOST:PORT
  std::vector<DeviceSpec> simulate;  // empty: a real port
  std::optional<int> baud;
  std::string config_path;
  std::optional<int> scan_time_ms;
  std::optional<int> answer_wait_extra_ms;
  bool json = false;
};

// A processor as the command line names it: by the address the scan gives
// it, or by what stays the same when another scan hands out the addresses in
// another order: its chip ID, or its name when no other processor on the bus
// has that name.
struct DeviceRef {
  int address = 0;  // 0 when named by chip ID or name
  std::optional<ChipIdBytes> chip_id;
  std::string name;  // empty unless named by name
};

// What one command works on; each command uses the fields it names.
struct Command {
  CommandKind kind = CommandKind::kScan;
  DeviceRef device;                // the processor addressed; the source of a copy
  std::vector<DeviceRef> targets;  // copy destinations, as given
  std::string file;                  // or the folder of a backup
  std::vector<ChipIdBytes> only;     // restore: just these units
  bool dry_run = false;              // restore: the plan, nothing written
  bool force = false;                // write: even a file read from another processor
  int side = 0;                      // eq-import: 0 inputs, 1 outputs
  int preset = 0;
  std::string preset_name;
  int channel = 0;  // 0 = A
  bool on = false;
  int count = 1;
};

struct CommandLine {
  bool help = false;     // nothing else is filled then
  bool version = false;  // nor then
  GlobalOptions global;
  Command command;
};

inline constexpr int kMaxPresetNameBytes = 19;

CommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace dsp
