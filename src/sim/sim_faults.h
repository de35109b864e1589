#pragma once

// Faults a processor can be told to show, for reliability tests. The
// fractions apply to each frame answer independently (YMODEM bytes are never
// touched); the draws come from the processor's own seeded generator.

#include <cstdint>
#include <optional>

#include "sim/sim_random.h"
#include "sim/transmission.h"

namespace dsp {

// How long after the request a late answer starts, drawn evenly between the
// two: always after the host's longest wait (120 ms), often after its second
// attempt and its next request have been written.
inline constexpr std::int64_t kLateAnswerMinUs = 150'000;
inline constexpr std::int64_t kLateAnswerMaxUs = 550'000;

struct SimFaults {
  double drop = 0;                  // fraction of answers never sent
  double garble = 0;                // fraction of answers damaged on the line
  double garble_keeps_sum = 0;      // share of the damaged ones whose checksum still holds
  double late = 0;                  // fraction of answers sent late (see kLateAnswerMinUs)
  double wrong_address = 0;         // fraction of answers carrying the next address
  std::optional<int> silent_after;  // frames handled before the processor falls silent
  bool other_formats = false;       // gain and matrix replies in their alternative formats
};

// The answer as the faults let it go out (nothing when it is dropped).
// A damaged answer has one byte changed, so its checksum fails; or, for the
// share that keeps its checksum, two bytes changed by amounts that cancel in
// the sum: one of the bytes that say what the answer is (its address, its
// command, or the channel it names) and one other byte after the kind. An
// answer with another address keeps a valid checksum.
std::optional<Transmission> ApplyAnswerFaults(Transmission answer, const SimFaults& faults, SimRandom& random);

}  // namespace dsp
