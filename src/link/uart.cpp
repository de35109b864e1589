#include "link/uart.h"

#include <array>
#include <cstdio>

#include "link/exchange.h"
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

CUart::CUart(int transfer_wait_rounds)
    : ymodem_(transfer_wait_rounds),
      worker_(&CUart::WorkerLoop, this),
      monitor_(&CUart::MonitorLoop, this),
      transfer_(&CUart::TransferLoop, this) {}

CUart::~CUart() {
  transfer_run_ = false;
  ymodem_.Cancel();
  transfer_.join();
  worker_run_ = false;
  worker_.join();
  monitor_run_ = false;
  monitor_.join();
  {
    std::lock_guard lock(queue_mutex_);
    requests_.clear();
    replies_.clear();
  }
  port_.Close();
}

bool CUart::Open(const std::string& port, int baud) { return port_.Open(port, baud); }

std::string CUart::OpenError() const { return port_.Error(); }

void CUart::Close() { port_.Close(); }

bool CUart::IsOpen() const { return port_.IsOpen(); }

std::string CUart::PortName() const { return port_.Path(); }

void CUart::Send(ByteView frame) {
  std::lock_guard lock(queue_mutex_);
  EnqueueUnlessWaiting(requests_, frame);
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
  return requests_.empty();
}

void CUart::AppendTrace(ByteView received) { trace_.Append(received, hex_trace_); }

void CUart::WorkerLoop() {
  while (worker_run_) {
    if (PortLent()) {
      sleeper_.SleepMs(kIdlePauseMs);
      continue;
    }
    try {
      WorkerStep();
    } catch (...) {
      ReportException();
      sleeper_.SleepMs(kStepPauseMs);
    }
  }
}

// One request, start to end, under the queue lock: Send, PopReply and the
// monitor wait while the bus is busy, so nothing interleaves with an answer.
void CUart::WorkerStep() {
  std::unique_lock lock(queue_mutex_);
  // A transfer may have been asked for since the loop looked.
  if (PortLent() || requests_.empty()) {
    lock.unlock();
    sleeper_.SleepMs(kIdlePauseMs);
    return;
  }
  const Bytes request = std::move(requests_.front());
  requests_.pop_front();
  // A frame with length byte 0 was queued empty and is dropped; anything
  // sent while the port is closed is dropped too, and counted as unsent.
  if (!request.empty()) {
    ExchangeResult result;
    if (port_.IsOpen()) result = RunExchange(request, port_, sleeper_, [this](ByteView b) { AppendTrace(b); });
    if (!result.written) ++unsent_frames_;
    for (Bytes& reply : result.replies) replies_.push_back(std::move(reply));
  }
  lock.unlock();
  sleeper_.SleepMs(kStepPauseMs);
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
void CUart::MonitorStep() {
  if (PortLent() || !port_.IsOpen()) return;
  std::lock_guard lock(queue_mutex_);
  if (PortLent()) return;
  std::array<std::uint8_t, kMonitorBufferSize> buffer{};
  const std::size_t got = port_.Read(buffer);
  if (got > 0) AppendTrace(ByteView(buffer.data(), got));
}

bool CUart::StartTransfer(const std::string& path, std::uint8_t address, TransferMode mode) {
  // Taken so that no exchange is between its check of the flag and its write.
  std::lock_guard lock(queue_mutex_);
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

void CUart::RunTransfer() {
  transferring_ = true;
  // A closed port is not waited for: the start frame cannot be written and the
  // dialog learns so at once.
  int result = kTransferBlockShort;  // what a transfer that broke off reports
  try {
    result = ymodem_.Send(transfer_address_, transfer_mode_, port_, sleeper_);
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
