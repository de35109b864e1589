#pragma once

// The send queue of a link (the serial one and the simulator's in-process
// one alike): a frame identical to one still waiting is not queued again, so
// a burst of the same write goes out once.

#include <deque>

#include "link/bytes.h"

namespace dsp {

// Queues a copy of the frame its length byte describes. A view shorter than
// its own length byte is no frame and is ignored. Returns whether a copy was
// queued.
bool EnqueueUnlessWaiting(std::deque<Bytes>& queue, ByteView frame);

}  // namespace dsp
