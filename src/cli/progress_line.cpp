#include "cli/progress_line.h"

#include <algorithm>

namespace dsp {

std::string ProgressText(const std::string& label, int percent, double seconds) {
  char text[64];
  std::snprintf(text, sizeof text, " %d%% %.1f s", percent, seconds);
  return label + text;
}

void ProgressLine::Begin(const std::string& label) {
  Interrupt();
  label_ = subject_ + label;
  started_ = clock_.Now();
  active_ = true;
  last_step_ = -1;
  last_text_.clear();
  Write(0);
}

void ProgressLine::Show(int percent) {
  if (active_) Write(std::clamp(percent, 0, 100));
}

void ProgressLine::Finish() {
  if (!active_) return;
  Write(100);
  Interrupt();
}

void ProgressLine::Interrupt() {
  if (active_ && terminal_) std::fputc('\n', out_);
  active_ = false;
  std::fflush(out_);
}

double ProgressLine::ElapsedSeconds() const { return SecondsBetween(started_, clock_.Now()); }

void ProgressLine::Write(int percent) {
  const std::string text = ProgressText(label_, percent, ElapsedSeconds());
  if (terminal_) {
    if (text == last_text_) return;
    last_text_ = text;
    std::fprintf(out_, "\r%s\033[K", text.c_str());
    std::fflush(out_);
    return;
  }
  const int step = percent / 10;
  if (step == last_step_) return;
  last_step_ = step;
  std::fprintf(out_, "%s\n", text.c_str());
  std::fflush(out_);
}

}  // namespace dsp
