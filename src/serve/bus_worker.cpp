#include "serve/bus_worker.h"

#include <nlohmann/json.hpp>

#include "cli/cli_failure.h"

namespace dsp {
namespace {

constexpr auto kLoopPeriod = std::chrono::milliseconds(20);

}  // namespace

BusWorker::BusWorker(Session& session, EventHub& events)
    : session_(session), service_(session, events), records_(session.config()), thread_([this] { Run(); }) {}

BusWorker::~BusWorker() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  thread_.join();
}

ApiResponse BusWorker::Call(Job job, std::chrono::milliseconds timeout) {
  std::future<ApiResponse> answer;
  {
    std::lock_guard lock(mutex_);
    if (!ready_) return ErrorResponse(503, "dspserve is still scanning and reading the processors: try again shortly");
    jobs_.emplace_back([this, job = std::move(job)](ProcessorService& service) {
      TakeAcceptedChanges();
      ApiResponse answer = job(service);
      ShowRecordsIfChanged();
      return answer;
    });
    answer = jobs_.back().get_future();
  }
  if (answer.wait_for(timeout) != std::future_status::ready) {
    return ErrorResponse(504, "the bus did not carry the request out in time; it is still being done: check the "
                              "processor's record later");
  }
  try {
    return answer.get();
  } catch (const std::exception& error) {
    // Not one of the failures the bus work foresees (memory, threads).
    return ErrorResponse(500, std::string("unexpected error: ") + error.what());
  }
}

void BusWorker::WaitUntilReady() {
  std::unique_lock lock(mutex_);
  ready_changed_.wait(lock, [this] { return ready_ || stopping_; });
}

void BusWorker::Run() {
  try {
    service_.ScanAndReadAll();
  } catch (const PortLost& lost) {
    service_.MarkBusLost(lost.what());
  } catch (const CliFailure& failure) {
    session_.console().Note(failure.what());
  }
  ShowRecords();
  {
    std::lock_guard lock(mutex_);
    ready_ = true;
  }
  ready_changed_.notify_all();
  Loop();
}

// Once the port is gone the loop still answers requests (from the records
// as they were) and sleeps on the console's clock, which has no port to lose.
void BusWorker::Loop() {
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (stopping_) break;
    }
    RunPendingJobs();
    TakeAcceptedChanges();
    const LoopClock::Duration next = session_.clock().Now() + kLoopPeriod;
    try {
      if (service_.BusLost().empty()) service_.Tick();
      ShowRecordsIfChanged();
      session_.clock().SleepUntil(next);
    } catch (const PortLost& lost) {
      service_.MarkBusLost(lost.what());
      ShowRecordsIfChanged();
    }
  }
  RunPendingJobs();
  TakeAcceptedChanges();
  SendPendingWrites();
}

void BusWorker::TakeAcceptedChanges() {
  for (const AcceptedChange& accepted : records_.TakeAccepted()) {
    service_.Change(accepted.chip_id, accepted.changes, "api");
  }
}

// A copy of every record is made only after something the API shows changed.
void BusWorker::ShowRecordsIfChanged() {
  if (service_.Version() != shown_version_) ShowRecords();
}

void BusWorker::ShowRecords() {
  shown_version_ = service_.Version();
  ServedView view;
  for (const DeviceRecord& record : service_.Devices()) {
    view.processors.push_back(std::make_shared<const ServedProcessor>(record, service_.Connected(record)));
  }
  view.bus_lost = service_.BusLost();
  records_.Publish(std::move(view));
}

// Changes accepted just before the daemon stops are still scheduled: they
// go out rather than being dropped with the port.
void BusWorker::SendPendingWrites() {
  if (!service_.BusLost().empty()) return;
  try {
    service_.Flush();
  } catch (const CliFailure& failure) {
    session_.console().Note(failure.what());
  }
}

// Only the requests already waiting: under a steady stream of them the
// scheduled writes and the level poll still get their turn.
void BusWorker::RunPendingJobs() {
  std::deque<std::packaged_task<ApiResponse(ProcessorService&)>> waiting;
  {
    std::lock_guard lock(mutex_);
    waiting.swap(jobs_);
  }
  for (auto& job : waiting) job(service_);
}

}  // namespace dsp
