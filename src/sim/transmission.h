#pragma once

#include <cstdint>
#include <optional>

#include "link/bytes.h"

namespace dsp {

// Bytes a processor puts on the line, starting at a point in simulated time
// (microseconds since the bus started).
struct Transmission {
  std::int64_t start_us = 0;
  Bytes bytes;
  // Set for a sender that listens before it talks: it stays silent when it
  // hears another answer begin on the line between this time and its start.
  std::optional<std::int64_t> listens_from_us;
};

// How long a processor takes from the last byte of a frame to the first byte
// of its answer.
inline constexpr std::int64_t kTurnaroundUs = 2'000;

}  // namespace dsp
