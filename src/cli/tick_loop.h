#pragma once

// Drives a tick-driven procedure in real time, as a window timer would: the
// first tick comes one period after the start, each later one the period that
// the previous tick asked for after the previous deadline. A tick that ran
// late is not made up for with a burst: the next deadline is never in the past.

#include <functional>
#include <optional>

#include "cli/loop_clock.h"

namespace dsp {

// Returns the milliseconds until the next tick, or nothing when finished.
using TickFunction = std::function<std::optional<int>()>;

void RunTicks(LoopClock& clock, int first_period_ms, const TickFunction& tick);

// Ticks every `period_ms` until `done` says so (checked at each tick).
void WaitUntil(LoopClock& clock, int period_ms, const std::function<bool()>& done);

}  // namespace dsp
