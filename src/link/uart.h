#pragma once

// The serial link to the processor bus. Callers queue request frames and pop
// replies; a worker thread runs one request/answer exchange at a time, a
// monitor thread traces bytes that arrive unasked, and a transfer thread sends
// firmware or parameter images with YMODEM, owning the port meanwhile. The
// queues and the port have separate locks: queueing a frame or taking a reply
// never waits for the bus.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "link/frame_link.h"
#include "link/bus_port.h"
#include "link/thread_sleeper.h"
#include "link/trace_text.h"
#include "link/transfer_progress.h"
#include "link/ymodem.h"

namespace dsp {

class CUart : public FrameLink {
 public:
  // Starts the worker, monitor and transfer threads. Only tests shorten the
  // transfer's byte waits.
  explicit CUart(int transfer_wait_rounds = kByteWaitRounds);
  // The same on a port of the caller's: tests hand in one whose reads they
  // hold back. The default port opens local devices and network ports alike.
  explicit CUart(std::unique_ptr<BusPort> port, int transfer_wait_rounds = kByteWaitRounds);
  ~CUart() override;
  CUart(const CUart&) = delete;
  CUart& operator=(const CUart&) = delete;

  // Fails when the link is already open (the open port is left as it is) or
  // the port cannot be opened; OpenError() then says why.
  bool Open(const std::string& port, int baud = kDefaultBaud);
  std::string OpenError() const;
  void Close();
  bool IsOpen() const;
  std::string PortName() const;
  // The port the link closed by itself because the device hung up or failed
  // (an adapter pulled out), once per loss; a host reacts as to a removal.
  std::optional<PortLoss> TakePortLoss() { return port_->TakeLoss(); }
  // Frames that never went out whole: every write attempt came up short, or
  // the port was closed when their turn came. Only grows.
  std::uint64_t UnsentFrames() const { return unsent_frames_; }

  // None of the three waits for an exchange. A view shorter than its own
  // length byte is no frame and is not queued.
  void Send(ByteView frame) override;
  std::optional<Bytes> PopReply() override;
  // True once every queued frame has been taken and its exchange, with the
  // pause after it, has ended.
  bool IsSendQueueEmpty() override;

  void SetHexTrace(bool hex) { hex_trace_ = hex; }
  // Lengthens every answer wait from the next exchange on: answers that
  // cross a network to a device server take longer than on a local line.
  void SetAnswerWaitExtraMs(int ms) { answer_wait_extra_ms_ = ms; }
  std::string TakeTrace() { return trace_.Take(); }

  // Hands the file to the transfer thread. Fails, leaving nothing pending,
  // while another transfer runs, or when the file cannot be opened (the
  // result then reads kTransferFileError). From its return no exchange
  // starts until the transfer is over; one in progress ends before the
  // transfer writes.
  bool StartTransfer(const std::string& path, std::uint8_t address, TransferMode mode);
  TransferProgress Progress() const;
  // True while the transfer thread owns the port and the other two are parked.
  bool IsTransferring() const { return transferring_; }

 private:
  void WorkerLoop();
  // Runs the oldest queued request; false when there was none to run. The
  // loop ends the exchange after its pause.
  bool WorkerStep();
  void WaitForRequest();
  std::optional<Bytes> TakeRequest();
  void Deliver(Bytes reply);
  void EndExchange();
  void MonitorLoop();
  void MonitorStep();
  void TransferLoop();
  void RunTransfer();
  void AppendTrace(ByteView received);
  // A transfer was asked for or runs: the worker and monitor keep off the port.
  bool PortLent() const { return transfer_pending_ || transferring_; }

  std::atomic<bool> hex_trace_{false};
  std::atomic<int> answer_wait_extra_ms_{0};
  std::unique_ptr<BusPort> port_;
  ThreadSleeper sleeper_;
  TraceText trace_;

  // Whoever holds it uses the port: one exchange, one monitor read, or a
  // whole transfer. Taken before queue_mutex_, never after.
  std::mutex port_mutex_;
  // Guards both queues and the exchange flag, for a moment at a time and
  // never across a port operation.
  std::mutex queue_mutex_;
  std::condition_variable request_queued_;
  std::deque<Bytes> replies_;
  std::deque<Bytes> requests_;
  // A request has left the queue and its exchange (or the pause after it)
  // has not ended.
  bool exchanging_ = false;

  Ymodem ymodem_;
  std::atomic<bool> transfer_pending_{false};
  std::atomic<bool> transferring_{false};
  std::atomic<std::uint8_t> transfer_address_{0};
  std::atomic<TransferMode> transfer_mode_{TransferMode::kFirmware};
  std::atomic<int> transfer_result_{kTransferDone};
  std::atomic<std::uint64_t> unsent_frames_{0};

  std::atomic<bool> worker_run_{true};
  std::atomic<bool> monitor_run_{true};
  std::atomic<bool> transfer_run_{true};
  std::thread worker_;
  std::thread monitor_;
  std::thread transfer_;
};

}  // namespace dsp
