#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <tuple>

#include "platform/clock.h"
#include "platform/testing/failure.h"

namespace dsp {

// A clock whose time moves only when told: Advance(ms) runs every timer and
// posted task that falls due, in time order (posted tasks and timers due at
// the same moment run in the order they were scheduled). A modal loop
// (RunUntil) jumps time to the next due task and runs it until the dialog
// closes; when nothing is left to run, or more than the modal limit of
// virtual time has passed, it reports a failure and gives up.
class ManualClock : public Clock {
 public:
  explicit ManualClock(FailureHandler on_failure);

  std::int64_t NowMs() const override { return now_; }
  TimerId StartTimer(std::int64_t interval_ms, bool repeat, Task task) override;
  void StopTimer(TimerId id) override;
  void Post(Task task) override;
  bool RunUntil(const std::function<bool()>& done) override;
  void RunFor(std::int64_t ms) override { Advance(ms); }

  void Advance(std::int64_t ms);
  void SetModalLimit(std::int64_t ms) { modal_limit_ms_ = ms; }
  std::size_t PendingCount() const { return due_.size(); }
  // Time of the next due task, or -1 when none is pending.
  std::int64_t NextDueMs() const;

 private:
  struct Timer {
    std::int64_t interval;
    bool repeat;
    Task task;
    std::int64_t due;
    std::uint64_t sequence;
  };
  using DueKey = std::tuple<std::int64_t, std::uint64_t, TimerId>;

  void Schedule(TimerId id, Timer& timer, std::int64_t due);
  // Runs the earliest task due at or before `limit`; false when none is.
  bool RunNext(std::int64_t limit);

  FailureHandler on_failure_;
  std::int64_t now_ = 0;
  std::int64_t modal_limit_ms_ = 10 * 60 * 1000;
  TimerId next_id_ = 1;
  std::uint64_t next_sequence_ = 0;
  std::map<TimerId, Timer> timers_;
  std::set<DueKey> due_;
};

}  // namespace dsp
