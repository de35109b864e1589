#pragma once

// The send queue of a link (the serial one and the simulator's in-process
// one alike). A frame identical to one still waiting is not queued again, so
// a burst of the same write goes out once. A parameter write replaces the
// write still waiting for the same target (processor, command and channel,
// band, filter or matrix row) in its place: each such frame carries the whole
// state of its target, so only the newest matters, and a drag never builds a
// backlog. Requests, presets, discovery, pink noise and transfers are never
// replaced, and a write is not moved ahead of any of them.

#include <deque>

#include "link/bytes.h"

namespace dsp {

enum class Queued {
  kAppended,
  kReplaced,  // took the place of the waiting write for the same target
  kIgnored,   // identical to a waiting frame, or no frame at all
};

// Queues a copy of the frame its length byte describes. A view shorter than
// its own length byte is no frame and is ignored.
Queued EnqueueFrame(std::deque<Bytes>& queue, ByteView frame);

}  // namespace dsp
