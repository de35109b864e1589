#include "cli/tick_loop.h"

#include <algorithm>

namespace dsp {

void RunTicks(LoopClock& clock, int first_period_ms, const TickFunction& tick) {
  LoopClock::Duration deadline = clock.Now() + std::chrono::milliseconds(first_period_ms);
  for (;;) {
    clock.SleepUntil(deadline);
    const std::optional<int> next_ms = tick();
    if (!next_ms) return;
    deadline = std::max(deadline + std::chrono::milliseconds(*next_ms), clock.Now());
  }
}

void WaitUntil(LoopClock& clock, int period_ms, const std::function<bool()>& done) {
  RunTicks(clock, period_ms, [&]() -> std::optional<int> {
    if (done()) return std::nullopt;
    return period_ms;
  });
}

}  // namespace dsp
