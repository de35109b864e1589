#include "link/send_queue.h"

#include <algorithm>

#include "link/frame.h"

namespace dsp {

bool EnqueueUnlessWaiting(std::deque<Bytes>& queue, ByteView frame) {
  if (frame.size() <= kOffsetLength || frame[kOffsetLength] > frame.size()) return false;
  const ByteView whole = frame.first(frame[kOffsetLength]);
  const bool waiting =
      std::any_of(queue.begin(), queue.end(), [&](const Bytes& queued) { return std::ranges::equal(queued, whole); });
  if (waiting) return false;
  queue.emplace_back(whole.begin(), whole.end());
  return true;
}

}  // namespace dsp
