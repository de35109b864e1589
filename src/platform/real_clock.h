#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <map>

#include "platform/clock.h"

namespace dsp {

// Clock on Qt's own timers and event loop; the one the application uses.
class RealClock : public Clock {
 public:
  RealClock();
  ~RealClock() override;

  std::int64_t NowMs() const override;
  TimerId StartTimer(std::int64_t interval_ms, bool repeat, Task task) override;
  void StopTimer(TimerId id) override;
  void Post(Task task) override;
  bool RunUntil(const std::function<bool()>& done) override;
  void RunFor(std::int64_t ms) override;

 private:
  QElapsedTimer since_start_;
  TimerId next_id_ = 1;
  // Timers are children of the application object, so whichever of the two
  // goes first, nothing is deleted twice.
  std::map<TimerId, QPointer<QTimer>> timers_;
};

}  // namespace dsp
