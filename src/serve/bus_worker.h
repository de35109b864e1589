#pragma once

// The one thread that owns the bus: it scans and reads every processor at
// start, then takes the changes the HTTP threads accepted, runs the
// procedures handed to it one at a time and, between them, sends the
// scheduled writes and polls the levels, as the window's timers do. After
// each it shows the records afresh to the HTTP threads, which read them
// without waiting. HTTP threads never touch the link: they hand a procedure
// over and wait for its answer, for a bounded time.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "cli/session.h"
#include "serve/api.h"
#include "serve/event_hub.h"
#include "serve/processor_service.h"
#include "serve/served_records.h"

namespace dsp {

class BusWorker {
 public:
  using Job = std::function<ApiResponse(ProcessorService&)>;

  // Starts the thread; the session must outlive the worker.
  BusWorker(Session& session, EventHub& events);
  ~BusWorker();
  BusWorker(const BusWorker&) = delete;
  BusWorker& operator=(const BusWorker&) = delete;

  // Runs the job on the bus thread, after the changes accepted before it,
  // and returns its answer once the records it changed are shown; 504 when
  // it has not ended within `timeout` (it still runs to its end), 503 while
  // the first scan and read are still running.
  ApiResponse Call(Job job, std::chrono::milliseconds timeout);
  // Waits until the first scan and read have ended.
  void WaitUntilReady();
  // The records as the HTTP threads read and change them.
  ServedRecords& Records() { return records_; }

 private:
  void Run();
  void RunPendingJobs();
  void Loop();
  void SendPendingWrites();
  void TakeAcceptedChanges();
  void ShowRecordsIfChanged();
  void ShowRecords();

  Session& session_;
  ProcessorService service_;
  ServedRecords records_;
  std::uint64_t shown_version_ = 0;
  std::mutex mutex_;
  std::condition_variable ready_changed_;
  std::deque<std::packaged_task<ApiResponse(ProcessorService&)>> jobs_;
  bool ready_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace dsp
