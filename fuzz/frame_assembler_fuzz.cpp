// The simulated processor's frame assembler, fed the input in pieces with
// gaps between them: every frame it returns is whole and checks out.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "link/frame.h"
#include "sim/frame_assembler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dsp;
  FrameAssembler assembler;
  std::int64_t now_us = 0;
  for (std::size_t at = 0; at < size;) {
    // A control byte: the piece's length and the gap before it.
    const std::uint8_t control = data[at++];
    const std::size_t length = std::min<std::size_t>(control % 64, size - at);
    now_us += (control >> 6) * 9'000;
    const std::int64_t last_us = now_us + static_cast<std::int64_t>(length) * 87;
    for (const Bytes& frame : assembler.Feed(ByteView(data + at, length), now_us, last_us)) {
      if (frame.size() < kMinFrameLength || frame[0] != kFrameHeader || frame[kOffsetLength] != frame.size() ||
          !IsValidFrame(frame)) {
        __builtin_trap();
      }
    }
    now_us = last_us;
    at += length;
  }
  return 0;
}
