#pragma once

// How a processor picks frames out of the bytes on the line: it waits for the
// header byte, takes the length, and keeps a frame whose checksum holds; on a
// bad checksum it looks for the next header byte after the false start. A
// partial frame is dropped when the line has been quiet for kFrameGapUs, so a
// torn frame never swallows the start of the next one.

#include <cstdint>
#include <vector>

#include "link/bytes.h"

namespace dsp {

inline constexpr std::int64_t kFrameGapUs = 20'000;

class FrameAssembler {
 public:
  // Feeds bytes whose first and last byte arrived at the times given;
  // returns the complete frames they finish, in order.
  std::vector<Bytes> Feed(ByteView bytes, std::int64_t first_us, std::int64_t last_us);
  void Reset() { pending_.clear(); }

 private:
  std::vector<Bytes> Extract();

  Bytes pending_;
  std::int64_t last_byte_us_ = 0;
};

}  // namespace dsp
