#pragma once

// What a device procedure needs of the link: queue a request, collect replies
// in request order, and know when everything queued has gone out. The serial
// link and the in-process simulated link both provide it.

#include <optional>

#include "link/bytes.h"

namespace dsp {

class FrameLink {
 public:
  virtual ~FrameLink() = default;
  // Queues a copy of a complete frame by the send queue's rules (send_queue.h).
  virtual void Send(ByteView frame) = 0;
  // The oldest reply (or marker), if any.
  virtual std::optional<Bytes> PopReply() = 0;
  virtual bool IsSendQueueEmpty() = 0;
};

}  // namespace dsp
