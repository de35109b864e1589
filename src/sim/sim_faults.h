#pragma once

// Faults a processor can be told to show, for reliability tests. The
// fractions apply to each frame answer independently (YMODEM bytes are never
// touched); the draws come from the processor's own seeded generator.

#include <cstdint>
#include <optional>

#include "sim/sim_random.h"
#include "sim/transmission.h"

namespace dsp {

// How long after the request a late answer starts: after the longest wait of
// the host (120 ms), before its second attempt has been read.
inline constexpr std::int64_t kLateAnswerUs = 150'000;

struct SimFaults {
  double drop = 0;                  // fraction of answers never sent
  double garble = 0;                // fraction of answers with one byte flipped
  double late = 0;                  // fraction of answers sent kLateAnswerUs after the request
  double wrong_address = 0;         // fraction of answers carrying the next address
  std::optional<int> silent_after;  // frames handled before the processor falls silent
  bool other_formats = false;       // gain and matrix replies in their alternative formats
};

// The answer as the faults let it go out (nothing when it is dropped). A
// garbled answer always fails its checksum; an answer with another address
// keeps a valid checksum.
std::optional<Transmission> ApplyAnswerFaults(Transmission answer, const SimFaults& faults, SimRandom& random);

}  // namespace dsp
