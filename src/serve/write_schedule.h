#pragma once

// Parameter writes waiting to go out, as the window schedules them: each
// change arms its write 100 ms ahead, and a change of the same target before
// then moves that one write on, so a burst of changes (a fader being
// dragged) becomes one frame carrying the last values.

#include <cstdint>
#include <map>
#include <vector>

#include "model/write_id.h"

namespace dsp {

class WriteSchedule {
 public:
  static constexpr int kDelayMs = 100;

  void Schedule(WriteId id, std::int64_t now_ms) { due_ms_[id.Value()] = now_ms + kDelayMs; }
  // The writes due by `now_ms`, taken off the schedule.
  std::vector<WriteId> TakeDue(std::int64_t now_ms);
  // Every write still waiting, taken off the schedule (before a procedure
  // that would otherwise overtake them).
  std::vector<WriteId> TakeAll();
  bool Empty() const { return due_ms_.empty(); }

 private:
  std::map<std::uint32_t, std::int64_t> due_ms_;
};

}  // namespace dsp
