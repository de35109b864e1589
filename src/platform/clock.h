#pragma once

#include <cstdint>
#include <functional>

namespace dsp {

// The time source and event scheduler behind window timers, control timers,
// posted messages and modal loops. The application runs on RealClock (Qt
// timers and the Qt event loop); tests run the same windows on a manual clock
// whose time only moves when the test says so.
class Clock {
 public:
  using TimerId = std::uint64_t;
  using Task = std::function<void()>;

  virtual ~Clock() = default;

  // Milliseconds on a monotonic scale; notification time stamps use it.
  virtual std::int64_t NowMs() const = 0;

  // Runs `task` after `interval_ms`, again every `interval_ms` when
  // `repeat` is set, until StopTimer. Returns a non-zero identifier.
  virtual TimerId StartTimer(std::int64_t interval_ms, bool repeat, Task task) = 0;
  virtual void StopTimer(TimerId id) = 0;

  // Runs `task` on the UI thread as soon as possible, after every task posted
  // before it.
  virtual void Post(Task task) = 0;

  // Processes events (and, on a manual clock, moves time) until `done`
  // returns true. Returns false when a manual clock had to give up.
  virtual bool RunUntil(const std::function<bool()>& done) = 0;

  // Processes events for `ms` milliseconds of this clock's time.
  virtual void RunFor(std::int64_t ms) = 0;
};

}  // namespace dsp
