#pragma once

// Arrow keys and the wheel step a numeric edit; a key held down repeats
// faster than the processor can follow, so a step that comes less than
// 51 ms (by the notification's timestamp) after the last accepted one is
// dropped. Each stepping handler keeps its own filter.

#include <cstdint>
#include <optional>

#include "platform/messages.h"
#include "platform/notification.h"

namespace dsp {

class StepFilter {
 public:
  static constexpr std::int64_t kMinimumGapMs = 51;

  bool Accept(const Notification& notification) {
    if (last_ms_ && notification.timestamp_ms - *last_ms_ < kMinimumGapMs) return false;
    last_ms_ = notification.timestamp_ms;
    return true;
  }

 private:
  std::optional<std::int64_t> last_ms_;
};

// Up, right and the wheel turned away from the user (wParam 0) step up;
// anything else steps down.
inline int StepDirection(const Notification& notification) {
  const std::uintptr_t key = notification.wparam;
  return key == 0 || key == kVkUp || key == kVkRight ? 1 : -1;
}

}  // namespace dsp
