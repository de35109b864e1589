#include "serve/serve_options.h"

#include <charconv>

#include "args/option_words.h"
#include "cli/cli_failure.h"

namespace dsp {
namespace {

const OptionTable kOptions = {
    {"--port", "--simulate", "--listen", "--config", "--scan-time", "--allow-origin"},
    {"--help", "-h", "--version"},
};

constexpr int kMaxScanTimeMs = 3'600'000;
constexpr int kMaxTcpPort = 65535;

int ParseNumber(const std::string& text, int low, int high, const std::string& what) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end || value < low || value > high) {
    throw UsageError(what + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                     ", not \"" + text + "\"");
  }
  return value;
}

// "ADDR:PORT"; an IPv6 address in brackets, "[::1]:8780".
void ParseListen(const std::string& text, HttpSettings& http) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) {
    throw UsageError("--listen takes ADDR:PORT, e.g. 127.0.0.1:8780 or 0.0.0.0:8780, not \"" + text + "\"");
  }
  std::string host = text.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  http.host = host;
  http.port = ParseNumber(text.substr(colon + 1), 0, kMaxTcpPort, "the --listen port");
}

}  // namespace

ServeOptions ParseServeOptions(const std::vector<std::string>& args) {
  OptionWords raw;
  try {
    raw = SplitOptionWords(args, kOptions);
  } catch (const OptionError& error) {
    throw UsageError(error.what());
  }
  ServeOptions options;
  const auto take = [&](const std::string& name) -> std::optional<std::string> {
    const auto found = raw.options.find(name);
    if (found == raw.options.end()) return std::nullopt;
    return found->second;
  };
  options.help = take("--help") || take("-h");
  options.version = take("--version").has_value();
  if (options.help || options.version) return options;
  if (!raw.words.empty()) throw UsageError("dspserve takes no words besides its options, not \"" + raw.words[0] + "\"");
  options.global.port = take("--port").value_or("");
  if (const auto simulate = take("--simulate")) {
    options.global.simulate = ParseCommandLine({"--simulate", *simulate, "scan"}).global.simulate;
  }
  if (options.global.port.empty() == options.global.simulate.empty()) {
    throw UsageError("give either --port PATH or --simulate DEVICES");
  }
  options.global.config_path = take("--config").value_or("");
  if (const auto ms = take("--scan-time")) options.global.scan_time_ms = ParseNumber(*ms, 1, kMaxScanTimeMs, "--scan-time");
  if (const auto listen = take("--listen")) ParseListen(*listen, options.http);
  options.http.allow_origin = take("--allow-origin").value_or("");
  return options;
}

bool ReachableFromOtherHosts(const std::string& host) {
  return !(host == "localhost" || host == "::1" || host.rfind("127.", 0) == 0);
}

std::string ServeUsage() {
  return "Usage: dspserve (--port PATH | --simulate DEVICES) [OPTIONS]\n"
         "Serves the processors on one serial bus to room-control systems, scripts and browsers:\n"
         "a JSON API under /api/v1/ (described at /api/v1/openapi.json) and a web remote at /.\n"
         "\n"
         "Options:\n"
         "  --port PATH             the serial port of the bus adapter\n"
         "  --simulate DEVICES      simulated processors instead, e.g. \"Hall:8x8,Stage:4x8\"\n"
         "  --listen ADDR:PORT      where to listen (default 127.0.0.1:8780); any address but\n"
         "                          loopback asks every request for the access token\n"
         "  --config FILE           configuration values, one \"name = value\" per line\n"
         "  --scan-time MS          how long a scan listens (default config_scan_time, 5000)\n"
         "  --allow-origin ORIGIN   let pages from ORIGIN call the API (CORS; none by default)\n"
         "  --help                  show this text\n"
         "  --version               show the version\n";
}

}  // namespace dsp
