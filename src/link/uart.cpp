#include "link/uart.h"

#include <array>
#include <chrono>
#include <cstdio>

#include "link/exchange.h"
#include "link/port_by_name.h"
#include "link/send_queue.h"

namespace dsp {
namespace {

constexpr int kIdlePauseMs = 100;
constexpr int kStepPauseMs = 50;
constexpr int kMonitorPeriodMs = 100;
constexpr int kTransferPollMs = 50;
constexpr std::size_t kMonitorBufferSize = 512;

// A loop step that threw is abandoned and the loop goes on: one bad step must
// not take the bus down. The note goes where a developer will see it.
void ReportException() { std::fputs("Exception...\n", stderr); }

}  // namespace

CUart::CUart(int transfer_wait_rounds) : CUart(std::make_unique<PortByName>(), transfer_wait_rounds) {}

CUart::CUart(std::unique_ptr<BusPort> port, int transfer_wait_rounds)
    : port_(std::move(port)),
      ymodem_(transfer_wait_rounds),
      worker_(&CUart::WorkerLoop, this),
      monitor_(&CUart::MonitorLoop, this),
      transfer_(&CUart::TransferLoop, this) {}

CUart::~CUart() {
  transfer_run_ = false;
  ymodem_.Cancel();
  transfer_.join();
  {
    std::lock_guard lock(queue_mutex_);
    worker_run_ = false;
  }
  request_queued_.notify_all();
  worker_.join();
  monitor_run_ = false;
  monitor_.join();
  {
    std::lock_guard lock(queue_mutex_);
    requests_.clear();
    replies_.clear();
  }
  port_->Close();
}

bool CUart::Open(const std::string& port, int baud) { return port_->Open(port, baud); }

std::string CUart::OpenError() const { return port_->Error(); }

void CUart::Close() { port_->Close(); }

bool CUart::IsOpen() const { return port_->IsOpen(); }

std::string CUart::PortName() const { return port_->Path(); }

void CUart::Send(ByteView frame) {
  {
    std::lock_guard lock(queue_mutex_);
    if (EnqueueFrame(requests_, frame) != Queued::kAppended) return;
  }
  request_queued_.notify_one();
}

std::optional<Bytes> CUart::PopReply() {
  std::lock_guard lock(queue_mutex_);
  if (replies_.empty()) return std::nullopt;
  Bytes reply = std::move(replies_.front());
  replies_.pop_front();
  return reply;
}

bool CUart::IsSendQueueEmpty() {
  std::lock_guard lock(queue_mutex_);
  return requests_.empty() && !exchanging_;
}

void CUart::AppendTrace(ByteView received) { trace_.Append(received, hex_trace_); }

void CUart::WorkerLoop() {
  while (worker_run_) {
    if (PortLent()) {
      sleeper_.SleepMs(kIdlePauseMs);
      continue;
    }
    bool exchanged = true;
    try {
      exchanged = WorkerStep();
    } catch (...) {
      ReportException();
    }
    if (!exchanged) {
      WaitForRequest();
      continue;
    }
    // The pause belongs to the exchange: the link reads busy until it ends,
    // so a level poll does not slip in between the frames of an edit.
    sleeper_.SleepMs(kStepPauseMs);
    EndExchange();
  }
}

// An idle worker looks again after its idle pause, or as soon as a frame is
// queued: a request goes out without waiting for the next look.
void CUart::WaitForRequest() {
  std::unique_lock lock(queue_mutex_);
  request_queued_.wait_for(lock, std::chrono::milliseconds(kIdlePauseMs),
                           [this] { return !requests_.empty() || !worker_run_; });
}

// One request, start to end, with the port to itself: the monitor does not
// read and no transfer starts while an answer is awaited. The queues stay
// free meanwhile; the reply joins its queue the moment it is complete.
bool CUart::WorkerStep() {
  std::lock_guard port_lock(port_mutex_);
  // A transfer may have been asked for since the loop looked.
  if (PortLent()) return false;
  const std::optional<Bytes> request = TakeRequest();
  if (!request) return false;
  // A frame with length byte 0 was queued empty and is dropped; anything
  // sent while the port is closed is dropped too, and counted as unsent.
  if (!request->empty()) {
    ExchangeResult result;
    if (port_->IsOpen()) {
      result = RunExchange(
          *request, *port_, sleeper_, [this](ByteView b) { AppendTrace(b); },
          [this](Bytes reply) { Deliver(std::move(reply)); }, answer_wait_extra_ms_);
    }
    if (!result.written) ++unsent_frames_;
  }
  return true;
}

std::optional<Bytes> CUart::TakeRequest() {
  std::lock_guard lock(queue_mutex_);
  if (requests_.empty()) return std::nullopt;
  Bytes request = std::move(requests_.front());
  requests_.pop_front();
  exchanging_ = true;
  return request;
}

void CUart::Deliver(Bytes reply) {
  std::lock_guard lock(queue_mutex_);
  replies_.push_back(std::move(reply));
}

void CUart::EndExchange() {
  std::lock_guard lock(queue_mutex_);
  exchanging_ = false;
}

void CUart::MonitorLoop() {
  while (monitor_run_) {
    try {
      MonitorStep();
    } catch (...) {
      ReportException();
    }
    sleeper_.SleepMs(kMonitorPeriodMs);
  }
}

// Bytes nobody asked for (a processor speaking unasked, an answer that came
// too late) are only traced, never taken for replies.
// The monitor never reads inside an exchange or a transfer: it skips its
// turn while either has the port.
void CUart::MonitorStep() {
  if (PortLent() || !port_->IsOpen()) return;
  std::unique_lock lock(port_mutex_, std::try_to_lock);
  if (!lock.owns_lock() || PortLent()) return;
  std::array<std::uint8_t, kMonitorBufferSize> buffer{};
  const std::size_t got = port_->Read(buffer);
  if (got > 0) AppendTrace(ByteView(buffer.data(), got));
}

// Only the caller's thread starts transfers; the transfer thread reads the
// request once it sees the pending flag, and clears the flag last.
bool CUart::StartTransfer(const std::string& path, std::uint8_t address, TransferMode mode) {
  if (transfer_pending_) return false;
  if (!ymodem_.OpenFile(path)) {
    transfer_result_ = kTransferFileError;
    return false;
  }
  transfer_address_ = address;
  transfer_mode_ = mode;
  transfer_result_ = kTransferDone;
  // Last: the transfer thread reads the request once it sees this.
  transfer_pending_ = true;
  return true;
}

TransferProgress CUart::Progress() const {
  TransferProgress progress;
  // Pending first: once it reads clear, the result read after it is final.
  progress.pending = transfer_pending_;
  progress.mode = transfer_mode_;
  progress.result = transfer_result_;
  progress.blocks_taken = ymodem_.BlocksTaken();
  progress.size = ymodem_.FileSize();
  return progress;
}

void CUart::TransferLoop() {
  while (transfer_run_) {
    if (transfer_pending_) {
      RunTransfer();
    } else {
      sleeper_.SleepMs(kTransferPollMs);
    }
  }
}

// Taking the port waits for an exchange in progress to end; the worker and
// the monitor look at the pending flag before they take it again.
void CUart::RunTransfer() {
  std::lock_guard port_lock(port_mutex_);
  transferring_ = true;
  // A closed port is not waited for: the start frame cannot be written and the
  // dialog learns so at once.
  int result = kTransferBlockShort;  // what a transfer that broke off reports
  try {
    result = ymodem_.Send(transfer_address_, transfer_mode_, *port_, sleeper_);
  } catch (...) {
    ReportException();
  }
  transfer_result_ = result;
  ymodem_.CloseFile();
  // Pending clears first: whoever still sees it set knows the queued frames
  // have not moved yet.
  transfer_pending_ = false;
  transferring_ = false;
}

}  // namespace dsp
