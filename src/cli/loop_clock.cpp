#include "cli/loop_clock.h"

#include <thread>

namespace dsp {

void SteadyLoopClock::SleepUntil(Duration when) {
  std::this_thread::sleep_until(std::chrono::steady_clock::time_point(when));
}

}  // namespace dsp
