#pragma once

// The host's link over the simulated bus, in-process: the same send queue
// with its duplicate filter and latest-wins writes, the same exchange (RunExchange with its waits,
// second attempts, collision and offline markers) and the same 50 ms pause
// after each exchange, but every wait advances the bus clock instead of
// sleeping. No thread: the queued frames are exchanged either inside Send
// (latency 0) or during the latency-th PopReply / IsSendQueueEmpty call after
// a frame reached the head of the queue, which stands for the worker thread
// taking its time.

#include <deque>
#include <optional>

#include "link/frame_link.h"
#include "sim/sim_bus.h"

namespace dsp {

inline constexpr int kWorkerPauseMs = 50;

class SimLink : public FrameLink {
 public:
  explicit SimLink(SimBus& bus, int latency_polls = 0);

  void Send(ByteView frame) override;
  std::optional<Bytes> PopReply() override;
  bool IsSendQueueEmpty() override;

  // Exchanges everything queued now, whatever the latency.
  void Flush();
  std::size_t queued() const { return send_queue_.size(); }

 private:
  void Poll();
  void ExchangeOne();

  SimBus& bus_;
  int latency_polls_;
  int polls_left_;
  std::deque<Bytes> send_queue_;
  std::deque<Bytes> reply_queue_;
};

}  // namespace dsp
