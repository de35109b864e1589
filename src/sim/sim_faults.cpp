#include "sim/sim_faults.h"

#include "link/frame.h"

namespace dsp {

std::optional<Transmission> ApplyAnswerFaults(Transmission answer, const SimFaults& faults, SimRandom& random) {
  if (random.Chance(faults.drop)) return std::nullopt;
  Bytes& frame = answer.bytes;
  if (random.Chance(faults.wrong_address)) {
    ++frame[kOffsetAddress];
    SealFrame(frame);
  }
  if (random.Chance(faults.garble)) {
    // One byte from the address on: the frame still looks like a frame of its
    // length, and its checksum can no longer hold.
    const std::size_t at = kOffsetAddress + random.Below(frame.size() - kOffsetAddress);
    frame[at] ^= static_cast<std::uint8_t>(1 + random.Below(255));
  }
  if (random.Chance(faults.late)) answer.start_us += kLateAnswerUs - kTurnaroundUs;
  return answer;
}

}  // namespace dsp
