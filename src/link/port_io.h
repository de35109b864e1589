#pragma once

// The two seams below let one implementation of the bus exchange and of the
// YMODEM sender run over a real serial port with real sleeps, and over the
// in-process simulated bus where a "sleep" only advances simulated time.

#include <cstddef>
#include <cstdint>
#include <span>

#include "link/bytes.h"

namespace dsp {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepMs(int ms) = 0;
};

class PortIo {
 public:
  virtual ~PortIo() = default;
  // Writes the bytes; returns how many were written (fewer on failure).
  virtual std::size_t Write(ByteView bytes) = 0;
  // Returns at once with what is buffered, possibly nothing.
  virtual std::size_t Read(std::span<std::uint8_t> into) = 0;
  // Returns as soon as bytes wait to be read (or the port is gone), and after
  // `bound_ms` at the latest. A port that cannot tell sleeps the whole bound.
  virtual void WaitForBytes(int bound_ms, Sleeper& sleeper) { sleeper.SleepMs(bound_ms); }
};

}  // namespace dsp
