#pragma once

// The processors' side of the half-duplex line as the host's receiver sees
// it: bytes arrive one serial byte time apart, on a grid of byte slots. Bytes
// that several processors put into the same slot collide: the line carries
// the AND of them (the driver that pulls low wins), and a collision is never
// allowed to leave a frame that passes its checksum behind.

#include <cstdint>
#include <iterator>
#include <map>

#include "link/bytes.h"
#include "sim/transmission.h"

namespace dsp {

// One byte on the wire at 115200 bit/s: a start bit, eight data bits and a
// stop bit.
inline constexpr std::int64_t kByteUs = 87;

class SimLine {
 public:
  // Transmissions that listen before they talk must be put in the order of
  // their start: one is dropped when an earlier one has begun in its
  // listening time.
  void Put(const Transmission& transmission);
  // Removes and returns up to `max` bytes that have fully arrived by `now_us`.
  Bytes Take(std::int64_t now_us, std::size_t max);
  void Clear() { slots_.clear(); }

 private:
  bool HeardBefore(const Transmission& transmission, std::int64_t first_slot) const;
  void SpoilCollidedFrame(std::int64_t first_slot, std::int64_t last_slot);

  std::map<std::int64_t, std::uint8_t> slots_;  // by slot index: arrival = (index + 1) x kByteUs
};

}  // namespace dsp
