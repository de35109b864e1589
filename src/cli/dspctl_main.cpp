// dspctl: the processors on a serial bus from the command line.

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/program_text.h"

int main(int argc, char** argv) {
  dsp::UseUtf8Console();
  dsp::CommandLine line;
  try {
    line = dsp::ParseCommandLine(dsp::ProgramArguments(argc, argv));
  } catch (const dsp::UsageError& error) {
    std::fprintf(stderr, "dspctl: %s\nTry 'dspctl --help'.\n", error.what());
    return dsp::kExitUsage;
  }
  if (line.help) {
    std::fputs(dsp::UsageText().c_str(), stdout);
    return dsp::kExitSuccess;
  }
  if (line.version) {
    std::printf("dspctl %s\n", DSP_VERSION);
    return dsp::kExitSuccess;
  }
  dsp::SteadyLoopClock clock;
  dsp::Console console(stdout, stderr, isatty(STDERR_FILENO) == 1, line.global.json, clock);
  return dsp::RunCommand(line, console);
}
