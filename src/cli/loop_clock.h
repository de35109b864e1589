#pragma once

// The time seam of the command-line tool's loop: the program runs on the
// steady clock; tests drive the loop with a clock they move themselves.

#include <chrono>

namespace dsp {

class LoopClock {
 public:
  using Duration = std::chrono::steady_clock::duration;
  virtual ~LoopClock() = default;
  // Time since an arbitrary start; never goes back.
  virtual Duration Now() = 0;
  virtual void SleepUntil(Duration when) = 0;
};

class SteadyLoopClock : public LoopClock {
 public:
  Duration Now() override { return std::chrono::steady_clock::now().time_since_epoch(); }
  void SleepUntil(Duration when) override;
};

inline double SecondsBetween(LoopClock::Duration from, LoopClock::Duration to) {
  return std::chrono::duration<double>(to - from).count();
}

}  // namespace dsp
