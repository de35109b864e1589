#include "serve/write_schedule.h"

namespace dsp {

std::vector<WriteId> WriteSchedule::TakeDue(std::int64_t now_ms) {
  std::vector<WriteId> due;
  for (auto it = due_ms_.begin(); it != due_ms_.end();) {
    if (it->second <= now_ms) {
      due.emplace_back(it->first);
      it = due_ms_.erase(it);
    } else {
      ++it;
    }
  }
  return due;
}

std::vector<WriteId> WriteSchedule::TakeAll() {
  std::vector<WriteId> all;
  for (const auto& [id, due] : due_ms_) all.emplace_back(id);
  due_ms_.clear();
  return all;
}

}  // namespace dsp
