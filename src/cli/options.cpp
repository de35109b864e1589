#include "cli/options.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "args/option_words.h"
#include "cli/cli_failure.h"
#include "link/port_name.h"
#include "model/chip_id.h"

namespace dsp {
namespace {

const OptionTable kOptions = {
    {"--port", "--simulate", "--baud", "--config", "--scan-time", "--answer-wait-extra", "-o", "--count", "--only"},
    {"--json", "--help", "-h", "--version", "--dry-run", "--force"},
};

constexpr int kMaxAddress = 255;
constexpr int kLastPreset = 16;
constexpr int kMaxScanTimeMs = 3'600'000;
constexpr int kMaxAnswerWaitExtraMs = 60'000;

int ParseInt(const std::string& text, int low, int high, const std::string& what) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end || value < low || value > high) {
    throw UsageError(what + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                     ", not \"" + text + "\"");
  }
  return value;
}

std::optional<std::string> Take(OptionWords& raw, const std::string& name) {
  const auto found = raw.options.find(name);
  if (found == raw.options.end()) return std::nullopt;
  std::string value = found->second;
  raw.options.erase(found);
  return value;
}

std::vector<DeviceSpec> ParseSimulated(const std::string& text) {
  const ParsedOptions parsed = ParseDspsimArgs({"--devices", text});
  if (!parsed.options) throw UsageError("--simulate: " + parsed.error);
  return parsed.options->devices;
}

GlobalOptions TakeGlobal(OptionWords& raw) {
  GlobalOptions global;
  global.port = Take(raw, "--port").value_or("");
  if (std::string refused; !ParsePortName(global.port, refused)) throw UsageError("--port: " + refused);
  if (auto simulate = Take(raw, "--simulate")) global.simulate = ParseSimulated(*simulate);
  if (!global.port.empty() && !global.simulate.empty()) {
    throw UsageError("give either --port or --simulate, not both");
  }
  if (auto baud = Take(raw, "--baud")) global.baud = ParseInt(*baud, 1, 4'000'000, "--baud");
  global.config_path = Take(raw, "--config").value_or("");
  if (auto ms = Take(raw, "--scan-time")) global.scan_time_ms = ParseInt(*ms, 1, kMaxScanTimeMs, "--scan-time");
  if (auto ms = Take(raw, "--answer-wait-extra")) {
    global.answer_wait_extra_ms = ParseInt(*ms, 0, kMaxAnswerWaitExtraMs, "--answer-wait-extra");
  }
  global.json = Take(raw, "--json").has_value();
  return global;
}

bool AllDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

// A chip ID first, then an address (digits only), else a processor's name.
DeviceRef ParseDevice(const std::string& text) {
  if (text.empty()) throw UsageError("name the processor by its address, its chip ID or its name, not an empty word");
  if (auto chip_id = ParseChipId(text)) return DeviceRef{0, chip_id, ""};
  if (!AllDigits(text)) return DeviceRef{0, std::nullopt, text};
  return DeviceRef{ParseInt(text, 1, kMaxAddress, "an address"), std::nullopt, ""};
}

int ParsePreset(const std::string& text) { return ParseInt(text, 0, kLastPreset, "the preset number"); }

// "A".."H" as the channels are labelled ("IN A"), or 1..8.
int ParseChannel(const std::string& text) {
  if (text.size() == 1 && std::toupper(static_cast<unsigned char>(text[0])) >= 'A' &&
      std::toupper(static_cast<unsigned char>(text[0])) <= 'H') {
    return std::toupper(static_cast<unsigned char>(text[0])) - 'A';
  }
  if (text.size() == 1 && text[0] >= '1' && text[0] <= '8') return text[0] - '1';
  throw UsageError("the channel must be a letter from A to H (or 1 to 8), not \"" + text + "\"");
}

bool ParseOnOff(const std::string& text) {
  if (text == "on") return true;
  if (text == "off") return false;
  throw UsageError("say \"on\" or \"off\", not \"" + text + "\"");
}

void ExpectArgs(const std::vector<std::string>& args, std::size_t count, const std::string& form) {
  if (args.size() != count) throw UsageError("usage: dspctl " + form);
}

Command ParsePreset(const std::vector<std::string>& args) {
  const std::string action = args.size() > 1 ? args[1] : "";
  Command c;
  if (action == "list") {
    ExpectArgs(args, 3, "preset list ADDR");
    c.kind = CommandKind::kPresetList;
  } else if (action == "recall" || action == "save") {
    ExpectArgs(args, 4, "preset " + action + " ADDR N");
    c.kind = action == "recall" ? CommandKind::kPresetRecall : CommandKind::kPresetSave;
    c.preset = ParsePreset(args[3]);
  } else if (action == "name") {
    ExpectArgs(args, 5, "preset name ADDR N TEXT");
    c.kind = CommandKind::kPresetName;
    c.preset = ParsePreset(args[3]);
    c.preset_name = args[4];
    if (c.preset_name.size() > static_cast<std::size_t>(kMaxPresetNameBytes)) {
      throw UsageError("Name length must less than 20 ! (\"" + c.preset_name + "\" has " +
                       std::to_string(c.preset_name.size()) + " bytes)");
    }
  } else {
    throw UsageError("usage: dspctl preset list|recall|save|name ADDR [N [TEXT]]");
  }
  c.device = ParseDevice(args[2]);
  return c;
}

Command ParseFileCommand(CommandKind kind, const std::vector<std::string>& args, const std::string& form) {
  ExpectArgs(args, 3, form);
  Command c;
  c.kind = kind;
  c.device = ParseDevice(args[1]);
  c.file = args[2];
  return c;
}

Command ParseAddressOnly(CommandKind kind, const std::vector<std::string>& args, const std::string& form) {
  ExpectArgs(args, 2, form);
  Command c;
  c.kind = kind;
  c.device = ParseDevice(args[1]);
  return c;
}

Command ParseCopy(const std::vector<std::string>& args) {
  if (args.size() < 2) throw UsageError("usage: dspctl copy SRC DST...");
  Command c;
  c.kind = CommandKind::kCopy;
  c.device = ParseDevice(args[1]);
  for (std::size_t i = 2; i < args.size(); ++i) c.targets.push_back(ParseDevice(args[i]));
  return c;
}

Command ParsePink(const std::vector<std::string>& args) {
  ExpectArgs(args, 4, "pink ADDR CH on|off");
  Command c;
  c.kind = CommandKind::kPink;
  c.device = ParseDevice(args[1]);
  c.channel = ParseChannel(args[2]);
  c.on = ParseOnOff(args[3]);
  return c;
}

Command ParseFolderCommand(CommandKind kind, const std::vector<std::string>& args, const std::string& form) {
  ExpectArgs(args, 2, form);
  Command c;
  c.kind = kind;
  c.file = args[1];
  return c;
}

Command ParseEqImport(const std::vector<std::string>& args) {
  ExpectArgs(args, 5, "eq-import ADDR in|out CH FILE");
  Command c;
  c.kind = CommandKind::kEqImport;
  c.device = ParseDevice(args[1]);
  if (args[2] != "in" && args[2] != "out") throw UsageError("say \"in\" or \"out\", not \"" + args[2] + "\"");
  c.side = args[2] == "in" ? kInputSide : kOutputSide;
  c.channel = ParseChannel(args[3]);
  c.file = args[4];
  return c;
}

// "2F63F80F18BF7860,E9DFFE0F3A3CA209": the chip IDs of --only.
std::vector<ChipIdBytes> ParseChipIdList(const std::string& text) {
  std::vector<ChipIdBytes> list;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string item = text.substr(start, comma - start);
    const auto chip_id = ParseChipId(item);
    if (!chip_id) throw UsageError("--only takes chip IDs of 16 hexadecimal digits, not \"" + item + "\"");
    list.push_back(*chip_id);
    start = comma + 1;
  }
  return list;
}

Command ParsePositionals(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("say which command to run");
  const std::string& name = args[0];
  if (name == "ports" || name == "scan") {
    ExpectArgs(args, 1, name);
    Command c;
    c.kind = name == "ports" ? CommandKind::kPorts : CommandKind::kScan;
    return c;
  }
  if (name == "read") return ParseAddressOnly(CommandKind::kRead, args, "read ADDR -o FILE.ini");
  if (name == "write") return ParseFileCommand(CommandKind::kWrite, args, "write ADDR FILE.ini");
  if (name == "copy") return ParseCopy(args);
  if (name == "preset") return ParsePreset(args);
  if (name == "reset") return ParseAddressOnly(CommandKind::kReset, args, "reset ADDR");
  if (name == "levels") return ParseAddressOnly(CommandKind::kLevels, args, "levels ADDR [--count N]");
  if (name == "pink") return ParsePink(args);
  if (name == "effects-save") return ParseFileCommand(CommandKind::kEffectsSave, args, "effects-save ADDR FILE.bin");
  if (name == "effects-load") return ParseFileCommand(CommandKind::kEffectsLoad, args, "effects-load ADDR FILE.bin");
  if (name == "firmware") return ParseFileCommand(CommandKind::kFirmware, args, "firmware ADDR FILE.bin");
  if (name == "backup") return ParseFolderCommand(CommandKind::kBackup, args, "backup DIR");
  if (name == "restore") {
    return ParseFolderCommand(CommandKind::kRestore, args, "restore DIR [--only CHIPID,...] [--dry-run]");
  }
  if (name == "eq-import") return ParseEqImport(args);
  throw UsageError("unknown command \"" + name + "\"");
}

// -o belongs to read (where it is required), --count to levels, --only
// and --dry-run to restore, --force to write.
void TakeCommandOptions(OptionWords& raw, Command& command) {
  const std::optional<std::string> output = Take(raw, "-o");
  const std::optional<std::string> count = Take(raw, "--count");
  if (command.kind == CommandKind::kRead) {
    if (!output) throw UsageError("say where to save the parameters: read ADDR -o FILE.ini");
    command.file = *output;
  } else if (output) {
    throw UsageError("-o belongs to the read command");
  }
  if (count && command.kind != CommandKind::kLevels) throw UsageError("--count belongs to the levels command");
  if (count) command.count = ParseInt(*count, 1, 1'000'000, "--count");
  const std::optional<std::string> only = Take(raw, "--only");
  const bool dry_run = Take(raw, "--dry-run").has_value();
  if ((only || dry_run) && command.kind != CommandKind::kRestore) {
    throw UsageError(std::string(only ? "--only" : "--dry-run") + " belongs to the restore command");
  }
  if (only) command.only = ParseChipIdList(*only);
  command.dry_run = dry_run;
  command.force = Take(raw, "--force").has_value();
  if (command.force && command.kind != CommandKind::kWrite) throw UsageError("--force belongs to the write command");
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  OptionWords raw;
  try {
    raw = SplitOptionWords(args, kOptions);
  } catch (const OptionError& error) {
    throw UsageError(error.what());
  }
  CommandLine line;
  if (raw.options.count("--help") || raw.options.count("-h")) {
    line.help = true;
    return line;
  }
  if (raw.options.count("--version")) {
    line.version = true;
    return line;
  }
  line.global = TakeGlobal(raw);
  line.command = ParsePositionals(raw.words);
  TakeCommandOptions(raw, line.command);
  return line;
}

}  // namespace dsp
