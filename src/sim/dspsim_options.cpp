#include "sim/dspsim_options.h"

#include <charconv>
#include <cstdlib>

#include "args/option_words.h"
#include "sim/sim_processor.h"

namespace dsp {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
    parts.push_back(text.substr(start, at - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

template <typename Number>
bool ParseNumber(const std::string& text, Number& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool ParseFraction(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0' && value >= 0 && value <= 1;
}

// "Name:IxO": the name may hold anything but the separators.
std::optional<std::string> ParseDevice(const std::string& text, DeviceSpec& device) {
  const std::size_t colon = text.rfind(':');
  const std::size_t x = text.find('x', colon == std::string::npos ? 0 : colon);
  if (colon == std::string::npos || x == std::string::npos ||
      !ParseNumber(text.substr(colon + 1, x - colon - 1), device.inputs) ||
      !ParseNumber(text.substr(x + 1), device.outputs)) {
    return "bad device \"" + text + "\": write it as NAME:INPUTSxOUTPUTS, e.g. Hall:8x8";
  }
  device.name = text.substr(0, colon);
  SimProcessorConfig config;
  config.name = device.name;
  config.inputs = device.inputs;
  config.outputs = device.outputs;
  if (auto error = CheckProcessorConfig(config)) return "bad device \"" + text + "\": " + *error;
  return std::nullopt;
}

std::optional<std::string> ParseDevices(const std::string& text, DspsimOptions& options) {
  for (const std::string& part : Split(text, ',')) {
    DeviceSpec device;
    if (auto error = ParseDevice(part, device)) return error;
    options.devices.push_back(device);
  }
  return std::nullopt;
}

std::optional<std::string> ParseFault(const std::string& key, const std::string& value, DspsimOptions& options) {
  SimFaults& f = options.faults;
  const std::string bad_fraction = "fault " + key + " takes a fraction from 0 to 1, not \"" + value + "\"";
  const std::string bad_count = "fault " + key + " takes a whole number of frames, not \"" + value + "\"";
  int count = 0;
  if (key == "drop") return ParseFraction(value, f.drop) ? std::nullopt : std::optional(bad_fraction);
  if (key == "garble") return ParseFraction(value, f.garble) ? std::nullopt : std::optional(bad_fraction);
  if (key == "validsum") return ParseFraction(value, f.garble_keeps_sum) ? std::nullopt : std::optional(bad_fraction);
  if (key == "late") return ParseFraction(value, f.late) ? std::nullopt : std::optional(bad_fraction);
  if (key == "wrongaddr") return ParseFraction(value, f.wrong_address) ? std::nullopt : std::optional(bad_fraction);
  if (key == "silent-after" || key == "hangup-after") {
    if (!ParseNumber(value, count) || count < 0) return bad_count;
    (key == "silent-after" ? f.silent_after : options.hang_up_after) = count;
    return std::nullopt;
  }
  if (key == "altformat") {
    if (value != "0" && value != "1") return "fault altformat takes 0 or 1, not \"" + value + "\"";
    f.other_formats = value == "1";
    return std::nullopt;
  }
  return "unknown fault \"" + key + "\" (known: drop, garble, validsum, late, wrongaddr, silent-after, hangup-after, altformat)";
}

std::optional<std::string> ParseFaults(const std::string& text, DspsimOptions& options) {
  for (const std::string& part : Split(text, ',')) {
    const std::size_t equals = part.find('=');
    const std::string key = part.substr(0, equals);
    const std::string value = equals == std::string::npos ? "1" : part.substr(equals + 1);
    if (auto error = ParseFault(key, value, options)) return error;
  }
  return std::nullopt;
}

// `flag` is one of the value options of the table below.
std::optional<std::string> ParseOption(const std::string& flag, const std::string& value, DspsimOptions& options) {
  if (flag == "--devices") return ParseDevices(value, options);
  if (flag == "--faults") return ParseFaults(value, options);
  if (flag == "--link") {
    options.link_path = value;
  } else if (flag == "--dump-dir") {
    options.dump_dir = value;
  } else if (flag == "--discovery") {
    const std::optional<DiscoveryBehaviour> behaviour = DiscoveryBehaviourNamed(value);
    if (!behaviour) return "--discovery takes halves or slots, not \"" + value + "\"";
    options.discovery = *behaviour;
  } else if (flag == "--seed") {
    if (!ParseNumber(value, options.seed)) return "--seed takes a whole number, not \"" + value + "\"";
  } else if (!ParseNumber(value, options.effect_blocks) || options.effect_blocks < 1 ||
             options.effect_blocks > kMaxEffectBlocks) {
    return "--effect-blocks takes a number from 1 to 65536, not \"" + value + "\"";
  }
  return std::nullopt;
}

}  // namespace

ParsedOptions ParseDspsimArgs(const std::vector<std::string>& args) {
  static const OptionTable kOptions = {
      {"--devices", "--seed", "--discovery", "--link", "--dump-dir", "--effect-blocks", "--faults"},
      {"--help", "-h", "--version"},
  };
  OptionWords split;
  try {
    split = SplitOptionWords(args, kOptions);
  } catch (const OptionError& error) {
    return {std::nullopt, error.what()};
  }
  DspsimOptions options;
  options.help = split.options.count("--help") > 0 || split.options.count("-h") > 0;
  options.version = split.options.count("--version") > 0;
  if (options.help || options.version) return {options, {}};
  if (!split.words.empty()) {
    return {std::nullopt, "unexpected \"" + split.words[0] + "\": every value follows its option"};
  }
  for (const auto& [name, value] : split.options) {
    if (auto error = ParseOption(name, value, options)) return {std::nullopt, *error};
  }
  if (options.devices.empty()) return {std::nullopt, "say which processors to simulate with --devices"};
  return {options, {}};
}

std::string DspsimUsage() {
  return "Usage: dspsim --devices NAME:IxO[,NAME:IxO...] [options]\n"
         "Simulates processors on one serial bus behind a pseudo-terminal. The first line\n"
         "of output is the terminal's device path; open it like a serial port. Runs until\n"
         "interrupted (Ctrl+C) or terminated.\n"
         "\n"
         "  --devices LIST      processors in bus order, e.g. \"Hall:8x8,Stage:4x8,Lobby:2x4\"\n"
         "                      (name of 1 to 20 bytes, 1 to 8 inputs and outputs)\n"
         "  --seed N            seed of chip IDs, discovery and faults (default 1)\n"
         "  --discovery HOW     how unaddressed processors answer a scan: halves (all\n"
         "                      answer an ask at once, each answers a re-ask by chance;\n"
         "                      the default) or slots (each answers after a random delay\n"
         "                      of 0 to 15 character times unless another answer began\n"
         "                      first)\n"
         "  --link PATH         also make a symbolic link to the device at PATH\n"
         "  --dump-dir DIR      write each firmware or parameter image received into DIR\n"
         "  --effect-blocks N   blocks of 128 bytes in each effect memory (default 32)\n"
         "  --faults LIST       fractions of answers: drop (not sent), garble (damaged),\n"
         "                      late (sent 150 to 550 ms after the request), wrongaddr\n"
         "                      (from the next address); validsum, the share of damaged\n"
         "                      answers whose checksum still holds (a byte naming the\n"
         "                      answer changed, another one compensating); e.g.\n"
         "                      \"drop=0.1,garble=0.02,validsum=0.25,late=0.05,wrongaddr=0.01\";\n"
         "                      also silent-after=N (frames), hangup-after=N (host writes),\n"
         "                      altformat=1 (gain and matrix replies in their other format)\n"
         "  --help              show this text\n"
         "  --version           show the version\n";
}

}  // namespace dsp
