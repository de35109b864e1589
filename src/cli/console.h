#pragma once

// Where dspctl writes: the result on standard output (text, or one JSON
// document with --json), progress, notes and the failure line on standard
// error.

#include <cstdio>
#include <string>
#include <utility>

#include "cli/json.h"
#include "cli/loop_clock.h"
#include "cli/progress_line.h"

namespace dsp {

class Console {
 public:
  // `program` prefixes every note: the daemon shares the console with dspctl.
  Console(std::FILE* out, std::FILE* err, bool err_is_terminal, bool json, LoopClock& clock,
          std::string program = "dspctl")
      : out_(out), err_(err), json_(json), clock_(clock), progress_(err, err_is_terminal, clock),
        program_(std::move(program)) {}

  LoopClock& clock() { return clock_; }
  ProgressLine& progress() { return progress_; }
  bool json() const { return json_; }

  // The command's result: `text` (lines, each ending in a newline), or the
  // document when --json was given.
  void Result(const std::string& text, const Json& document);
  // Part of the text result written as soon as it is known (a meter
  // reading); nothing with --json, whose document comes whole at the end.
  void Stream(const std::string& text);
  // A line for the user on standard error, prefixed "dspctl: ": a remark
  // ("using /dev/ttyUSB0") or the one line that says why a command failed.
  void Note(const std::string& text);

 private:
  std::FILE* out_;
  std::FILE* err_;
  bool json_;
  LoopClock& clock_;
  ProgressLine progress_;
  std::string program_;
};

}  // namespace dsp
