#include "sim/frame_assembler.h"

#include "link/frame.h"

namespace dsp {

std::vector<Bytes> FrameAssembler::Feed(ByteView bytes, std::int64_t first_us, std::int64_t last_us) {
  if (!pending_.empty() && first_us - last_byte_us_ > kFrameGapUs) pending_.clear();
  last_byte_us_ = last_us;
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  return Extract();
}

std::vector<Bytes> FrameAssembler::Extract() {
  std::vector<Bytes> frames;
  std::size_t start = 0;
  while (start < pending_.size()) {
    if (pending_[start] != kFrameHeader) {
      ++start;
      continue;
    }
    if (pending_.size() - start < 2) break;
    const std::size_t length = pending_[start + kOffsetLength];
    if (length < kMinFrameLength) {
      ++start;
      continue;
    }
    if (pending_.size() - start < length) break;
    const ByteView candidate(pending_.data() + start, length);
    if (IsValidFrame(candidate)) {
      frames.emplace_back(candidate.begin(), candidate.end());
      start += length;
    } else {
      ++start;
    }
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(start));
  return frames;
}

}  // namespace dsp
