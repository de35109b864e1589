#pragma once

// Progress of long work on standard error: the phase's text, a percentage and
// the time since the phase began. On a terminal it is one line rewritten in
// place; otherwise (a log, a pipe) a plain line at 0 % and at every tenth,
// so logs stay short.

#include <cstdio>
#include <string>

#include "cli/loop_clock.h"

namespace dsp {

class ProgressLine {
 public:
  ProgressLine(std::FILE* out, bool is_terminal, LoopClock& clock) : out_(out), terminal_(is_terminal), clock_(clock) {}

  // Starts a phase and shows it at 0 %.
  void Begin(const std::string& label);
  // Text put before the label of every phase begun from now on, "" for none:
  // which unit of a whole-bus command the phases belong to.
  void SetSubject(std::string subject) { subject_ = std::move(subject); }
  // Shows the phase at `percent` (held within 0..100).
  void Show(int percent);
  // The phase has ended well: shows 100 % and ends the line.
  void Finish();
  // Ends the line where it stands, before a message goes to the same stream.
  void Interrupt();
  double ElapsedSeconds() const;

 private:
  void Write(int percent);

  std::FILE* out_;
  bool terminal_;
  LoopClock& clock_;
  std::string subject_;
  std::string label_;
  LoopClock::Duration started_{};
  bool active_ = false;
  int last_step_ = -1;  // tenth last written when not on a terminal
  std::string last_text_;
};

// "<label> 42% 3.1 s".
std::string ProgressText(const std::string& label, int percent, double seconds);

}  // namespace dsp
