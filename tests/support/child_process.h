#pragma once

// The real programs as child processes: dspctl run to its end with its
// output collected, dspsim kept serving while a test runs.

#include <sys/types.h>

#include <string>
#include <vector>

namespace dsp::testing {

struct ProgramRun {
  int status = -1;  // exit status, -1 when killed by a signal
  std::string out;
  std::string err;
};

// Runs `program` with `args` in `folder`; standard output and error go to
// files there and are read back when it has ended.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& folder);

// A run's status and output, for a failure message.
inline std::string Lines(const ProgramRun& run) {
  return "status " + std::to_string(run.status) + "\nstdout:\n" + run.out + "stderr:\n" + run.err;
}

// dspsim with `args`, until destroyed (SIGTERM). Its standard error goes to
// `err_file`.
class SimProgram {
 public:
  SimProgram(const std::vector<std::string>& args, const std::string& err_file);
  ~SimProgram();
  SimProgram(const SimProgram&) = delete;
  SimProgram& operator=(const SimProgram&) = delete;

  // The pseudo-terminal it printed first; empty when it did not start.
  const std::string& path() const { return path_; }
  std::string Errors() const;
  // Ends it (SIGTERM) and returns its exit status (-1 when a signal ended it).
  int Stop();

 private:
  pid_t pid_ = -1;
  std::string path_;
  std::string err_file_;
};

}  // namespace dsp::testing
