#pragma once

// A link whose answers a test scripts: every sent frame is recorded, and a
// responder may turn it into a reply that the next PopReply returns.

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "link/frame.h"
#include "link/frame_link.h"

namespace dsp::testing {

class FakeLink : public FrameLink {
 public:
  using Responder = std::function<std::optional<Bytes>(const Bytes& request)>;

  std::vector<Bytes> sent;
  std::deque<Bytes> replies;
  Responder responder;
  bool send_queue_empty = true;

  void Send(ByteView frame) override {
    sent.emplace_back(frame.begin(), frame.end());
    if (responder) {
      if (auto reply = responder(sent.back())) replies.push_back(*reply);
    }
  }
  std::optional<Bytes> PopReply() override {
    if (replies.empty()) return std::nullopt;
    Bytes front = replies.front();
    replies.pop_front();
    return front;
  }
  bool IsSendQueueEmpty() override { return send_queue_empty; }

  std::vector<std::uint8_t> SentCommands() const {
    std::vector<std::uint8_t> commands;
    for (const Bytes& frame : sent) commands.push_back(frame[kOffsetCommand]);
    return commands;
  }
};

}  // namespace dsp::testing
