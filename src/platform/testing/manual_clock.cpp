#include "platform/testing/manual_clock.h"

#include <QCoreApplication>
#include <algorithm>
#include <limits>
#include <utility>

namespace dsp {
namespace {

// A runaway loop of zero-delay tasks would otherwise never end.
constexpr std::size_t kMaxTasksPerModalLoop = 1'000'000;

}  // namespace

ManualClock::ManualClock(FailureHandler on_failure) : on_failure_(std::move(on_failure)) {}

Clock::TimerId ManualClock::StartTimer(std::int64_t interval_ms, bool repeat, Task task) {
  const TimerId id = next_id_++;
  // A repeating timer of 0 ms would fire forever without time moving.
  const std::int64_t interval = repeat ? std::max<std::int64_t>(interval_ms, 1) : std::max<std::int64_t>(interval_ms, 0);
  Timer& timer = timers_[id] = Timer{interval, repeat, std::move(task), 0, 0};
  Schedule(id, timer, now_ + interval);
  return id;
}

void ManualClock::StopTimer(TimerId id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  due_.erase({found->second.due, found->second.sequence, id});
  timers_.erase(found);
}

void ManualClock::Post(Task task) { StartTimer(0, false, std::move(task)); }

void ManualClock::Schedule(TimerId id, Timer& timer, std::int64_t due) {
  timer.due = due;
  timer.sequence = next_sequence_++;
  due_.insert({timer.due, timer.sequence, id});
}

std::int64_t ManualClock::NextDueMs() const { return due_.empty() ? -1 : std::get<0>(*due_.begin()); }

bool ManualClock::RunNext(std::int64_t limit) {
  if (due_.empty() || std::get<0>(*due_.begin()) > limit) return false;
  const auto [due, sequence, id] = *due_.begin();
  due_.erase(due_.begin());
  now_ = std::max(now_, due);
  Timer& timer = timers_.at(id);
  if (timer.repeat) {
    Schedule(id, timer, due + timer.interval);
    Task task = timer.task;  // the task may stop its own timer
    task();
  } else {
    Task task = std::move(timer.task);
    timers_.erase(id);
    task();
  }
  return true;
}

void ManualClock::Advance(std::int64_t ms) {
  const std::int64_t target = now_ + ms;
  while (RunNext(target)) {
  }
  now_ = std::max(now_, target);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool ManualClock::RunUntil(const std::function<bool()>& done) {
  const std::int64_t start = now_;
  std::size_t tasks = 0;
  while (!done()) {
    if (due_.empty()) {
      on_failure_("a modal loop is waiting on the manual clock with no timer or posted message left "
                  "that could end it");
      return false;
    }
    if (NextDueMs() - start > modal_limit_ms_ || ++tasks > kMaxTasksPerModalLoop) {
      on_failure_("a modal loop is still waiting after " + std::to_string(now_ - start) +
                  " ms of manual-clock time");
      return false;
    }
    RunNext(std::numeric_limits<std::int64_t>::max());
  }
  return true;
}

}  // namespace dsp
