// dspsim: simulated processors on one serial bus behind a pseudo-terminal.

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "sim/dspsim_options.h"
#include "sim/image_dump.h"
#include "sim/pty_endpoint.h"

namespace dsp {
namespace {

constexpr int kUsageError = 2;
constexpr int kRunError = 1;

int Fail(const std::string& message) {
  std::fprintf(stderr, "dspsim: %s\n", message.c_str());
  return kRunError;
}

std::string PrepareDumpDir(const std::string& dir) {
  struct stat info {};
  if (stat(dir.c_str(), &info) == 0) {
    return S_ISDIR(info.st_mode) ? std::string() : dir + " exists and is not a folder: choose another --dump-dir";
  }
  if (mkdir(dir.c_str(), 0777) != 0) return "cannot create " + dir + ": " + std::strerror(errno);
  return {};
}

// A symbolic link left by an earlier run is replaced; anything else at the
// path is left alone.
std::string MakeLink(const std::string& target, const std::string& link) {
  struct stat info {};
  if (lstat(link.c_str(), &info) == 0) {
    if (!S_ISLNK(info.st_mode)) return link + " exists and is not a symbolic link: choose another --link";
    unlink(link.c_str());
  }
  if (symlink(target.c_str(), link.c_str()) != 0) return "cannot make the link " + link + ": " + std::strerror(errno);
  return {};
}

std::unique_ptr<SimBus> BuildBus(const DspsimOptions& options, const std::shared_ptr<ImageDump>& dump) {
  auto bus = std::make_unique<SimBus>(options.seed, options.discovery);
  for (std::size_t i = 0; i < options.devices.size(); ++i) {
    const DeviceSpec& device = options.devices[i];
    SimProcessorConfig config = bus->NextConfig(device.name, device.inputs, device.outputs);
    if (options.effect_blocks > 0) config.effect_blocks = options.effect_blocks;
    SimProcessor& processor = bus->Add(config);
    processor.faults() = options.faults;
    std::fprintf(stderr, "dspsim: %s (%dx%d), chip ID %s\n", device.name.c_str(), device.inputs, device.outputs,
                 FormatChipId(processor.chip_id()).c_str());
    if (!dump) continue;
    const int position = static_cast<int>(i) + 1;
    processor.set_image_sink([dump, position](const SimProcessor& p, ImageKind kind, const ReceivedImage& image) {
      std::string error;
      const std::string path = dump->Write(position, p.name(), kind, image, error);
      if (path.empty()) {
        std::fprintf(stderr, "dspsim: %s\n", error.c_str());
      } else {
        std::fprintf(stderr, "dspsim: %s received \"%s\" (%zu bytes), written to %s\n", p.name().c_str(),
                     image.name.c_str(), image.data.size(), path.c_str());
      }
    });
  }
  if (options.hang_up_after) bus->HangUpAfter(*options.hang_up_after);
  return bus;
}

// Waits for SIGINT or SIGTERM (blocked in every thread), or for the line to
// be hung up by a fault.
void WaitForStop(sigset_t& signals, const PtyEndpoint& endpoint) {
  const timespec tick{0, 200'000'000};
  while (!endpoint.IsHungUp()) {
    if (sigtimedwait(&signals, nullptr, &tick) > 0) return;
  }
  std::fprintf(stderr, "dspsim: the line was hung up (hangup-after fault)\n");
}

int Run(const DspsimOptions& options) {
  std::shared_ptr<ImageDump> dump;
  if (!options.dump_dir.empty()) {
    if (const std::string error = PrepareDumpDir(options.dump_dir); !error.empty()) return Fail(error);
    dump = std::make_shared<ImageDump>(options.dump_dir);
  }
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  std::string error;
  auto endpoint = PtyEndpoint::Open(BuildBus(options, dump), error);
  if (!endpoint) return Fail(error);
  // The link is in place before the path is printed: whoever reads the line
  // may open either at once.
  if (!options.link_path.empty()) {
    if (const std::string link_error = MakeLink(endpoint->path(), options.link_path); !link_error.empty()) {
      return Fail(link_error);
    }
  }
  std::printf("%s\n", endpoint->path().c_str());
  std::fflush(stdout);
  WaitForStop(signals, *endpoint);
  if (!options.link_path.empty()) unlink(options.link_path.c_str());
  return 0;
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
  const dsp::ParsedOptions parsed = dsp::ParseDspsimArgs(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.options) {
    std::fprintf(stderr, "dspsim: %s\nTry 'dspsim --help'.\n", parsed.error.c_str());
    return dsp::kUsageError;
  }
  if (parsed.options->help) {
    std::fputs(dsp::DspsimUsage().c_str(), stdout);
    return 0;
  }
  if (parsed.options->version) {
    std::printf("dspsim %s\n", DSP_VERSION);
    return 0;
  }
  return dsp::Run(*parsed.options);
}
