#include "app/desk_options.h"

#include <charconv>
#include <stdexcept>

#include "link/port_name.h"
#include "model/configuration.h"

namespace dsp {
namespace {

std::vector<DeviceSpec> ParseSimulated(const std::string& list) {
  const ParsedOptions parsed = ParseDspsimArgs({"--devices", list});
  if (!parsed.options) throw std::invalid_argument("--simulate: " + parsed.error);
  return parsed.options->devices;
}

std::string CheckedPort(const std::string& name) {
  if (std::string refused; !ParsePortName(name, refused)) throw std::invalid_argument("--port: " + refused);
  return name;
}

int AnswerWaitExtra(const std::string& text) {
  int ms = -1;
  const char* end = text.data() + text.size();
  const auto parsed = std::from_chars(text.data(), end, ms);
  if (text.empty() || parsed.ec != std::errc() || parsed.ptr != end || ms < 0 ||
      ms > static_cast<int>(kLongestAnswerWaitExtraMs)) {
    throw std::invalid_argument("--answer-wait-extra must be a whole number from 0 to " +
                                std::to_string(kLongestAnswerWaitExtraMs) + ", not \"" + text + "\"");
  }
  return ms;
}

}  // namespace

DeskOptions ParseDeskOptions(const std::vector<std::string>& arguments) {
  DeskOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument != "--simulate" && argument != "--port" && argument != "--answer-wait-extra") {
      throw std::invalid_argument("unknown argument " + argument);
    }
    if (i + 1 >= arguments.size()) throw std::invalid_argument(argument + " needs a value");
    const std::string& value = arguments[++i];
    if (argument == "--simulate") options.simulate = ParseSimulated(value);
    else if (argument == "--port") options.port = CheckedPort(value);
    else options.answer_wait_extra_ms = AnswerWaitExtra(value);
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
         "  --port PATH         try this serial device first, e.g. /dev/ttyUSB1 or a dspsim link, or a device\n"
         "                      server: tcp://HOST:PORT (raw TCP), rfc2217://HOST:PORT\n"
         "  --answer-wait-extra MS  added to every answer wait, for a bus behind a network (default\n"
         "                      config_answer_wait_extra, 0)\n"
         "  --skin-dir DIR      the skin folder (default: $DSPDESK_SKIN_DIR, else skin beside the program, else\n"
         "                      ../share/dspdesk/skin from it)\n"
         "  --script FILE       play a scenario against the window, then exit\n"
         "  --screenshot FILE   save a picture of the main window at the end of the script\n"
         "  --help              show this text\n"
         "  --version           show the version\n";
}

}  // namespace dsp
