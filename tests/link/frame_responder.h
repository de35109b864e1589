#pragma once

#include <functional>

#include "pty_peer.h"

namespace dsp::test {

// A bus peer that cuts the stream into frames and answers each with what
// `answer` returns for it (nothing by default). Set `answer` before the peer
// thread starts.
class FrameResponder : public Responder {
 public:
  std::function<Bytes(const Bytes&)> answer = [](const Bytes&) { return Bytes{}; };

  Bytes Feed(ByteView received) override {
    stream_.insert(stream_.end(), received.begin(), received.end());
    Bytes out;
    while (stream_.size() >= 2 && stream_[1] >= 2 && stream_.size() >= stream_[1]) {
      const Bytes frame(stream_.begin(), stream_.begin() + stream_[1]);
      stream_.erase(stream_.begin(), stream_.begin() + stream_[1]);
      const Bytes reply = answer(frame);
      out.insert(out.end(), reply.begin(), reply.end());
    }
    return out;
  }

 private:
  Bytes stream_;
};

}  // namespace dsp::test
