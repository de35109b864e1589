#include "sim/sim_link.h"

#include <algorithm>

#include "link/exchange.h"
#include "link/frame.h"
#include "link/send_queue.h"

namespace dsp {

SimLink::SimLink(SimBus& bus, int latency_polls)
    : bus_(bus), latency_polls_(std::max(0, latency_polls)), polls_left_(latency_polls_) {}

void SimLink::Send(ByteView frame) {
  if (EnqueueFrame(send_queue_, frame) == Queued::kIgnored) return;
  if (latency_polls_ == 0) Flush();
}

std::optional<Bytes> SimLink::PopReply() {
  Poll();
  if (reply_queue_.empty()) return std::nullopt;
  Bytes reply = std::move(reply_queue_.front());
  reply_queue_.pop_front();
  return reply;
}

bool SimLink::IsSendQueueEmpty() {
  Poll();
  return send_queue_.empty();
}

void SimLink::Flush() {
  while (!send_queue_.empty()) ExchangeOne();
  polls_left_ = latency_polls_;
}

void SimLink::Poll() {
  if (send_queue_.empty() || --polls_left_ > 0) return;
  ExchangeOne();
  polls_left_ = latency_polls_;
}

void SimLink::ExchangeOne() {
  const Bytes request = std::move(send_queue_.front());
  send_queue_.pop_front();
  RunExchange(request, bus_.host_port(), bus_.host_sleeper(), nullptr,
              [this](Bytes reply) { reply_queue_.push_back(std::move(reply)); });
  bus_.Advance(std::chrono::milliseconds(kWorkerPauseMs));
}

}  // namespace dsp
