#include "platform/real_clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <utility>

namespace dsp {
namespace {

constexpr int kRecheckMs = 20;

}  // namespace

RealClock::RealClock() { since_start_.start(); }

RealClock::~RealClock() {
  for (auto& [id, timer] : timers_) delete timer.data();
}

std::int64_t RealClock::NowMs() const { return since_start_.elapsed(); }

Clock::TimerId RealClock::StartTimer(std::int64_t interval_ms, bool repeat, Task task) {
  const TimerId id = next_id_++;
  auto* timer = new QTimer(QCoreApplication::instance());
  timer->setTimerType(Qt::PreciseTimer);
  timer->setInterval(static_cast<int>(interval_ms));
  timer->setSingleShot(!repeat);
  QObject::connect(timer, &QTimer::timeout, timer, [this, id, repeat, task = std::move(task)] {
    // A one-shot timer is forgotten before its task runs, so the task may
    // start new timers freely; the QTimer itself goes once control is back
    // in the event loop.
    if (!repeat) StopTimer(id);
    task();
  });
  timers_[id] = timer;
  timer->start();
  return id;
}

void RealClock::StopTimer(TimerId id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  if (found->second) {
    found->second->stop();
    found->second->deleteLater();
  }
  timers_.erase(found);
}

void RealClock::Post(Task task) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

// The condition may turn true without an event of its own (a flag another
// loop or thread set), so the loop wakes to look at least every few
// milliseconds instead of sleeping until the next event.
bool RealClock::RunUntil(const std::function<bool()>& done) {
  QTimer wake;
  wake.start(kRecheckMs);
  while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return true;
}

void RealClock::RunFor(std::int64_t ms) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(ms), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace dsp
