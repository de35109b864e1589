#include "app/desk_options.h"

#include <stdexcept>

namespace dsp {
namespace {

std::vector<DeviceSpec> ParseSimulated(const std::string& list) {
  const ParsedOptions parsed = ParseDspsimArgs({"--devices", list});
  if (!parsed.options) throw std::invalid_argument("--simulate: " + parsed.error);
  return parsed.options->devices;
}

}  // namespace

DeskOptions ParseDeskOptions(const std::vector<std::string>& arguments) {
  DeskOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument != "--simulate" && argument != "--port") throw std::invalid_argument("unknown argument " + argument);
    if (i + 1 >= arguments.size()) throw std::invalid_argument(argument + " needs a value");
    const std::string& value = arguments[++i];
    if (argument == "--simulate") options.simulate = ParseSimulated(value);
    else options.port = value;
  }
  return options;
}

std::optional<std::string> DeskInfoText(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") return DeskUsage();
    if (argument == "--version") return std::string("dspdesk ") + DSP_VERSION + "\n";
  }
  return std::nullopt;
}

std::string DeskUsage() {
  return "Usage: dspdesk [options]\n"
         "  --simulate LIST     simulated processors on a pseudo-terminal, e.g. \"Hall:8x8,Stage:4x8,Lobby:2x4\"\n"
         "  --port PATH         try this serial device first, e.g. /dev/ttyUSB1 or a dspsim link\n"
         "  --skin-dir DIR      the skin folder (default: $DSPDESK_SKIN_DIR, else skin beside the program, else\n"
         "                      ../share/dspdesk/skin from it)\n"
         "  --script FILE       play a scenario against the window, then exit\n"
         "  --screenshot FILE   save a picture of the main window at the end of the script\n"
         "  --help              show this text\n"
         "  --version           show the version\n";
}

}  // namespace dsp
