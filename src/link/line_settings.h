#pragma once

// The line settings of the serial port: on Linux the kernel's termios2 (any
// bit rate), kept apart because that header cannot share a file with
// <termios.h>; on Windows the device's DCB and timeouts.

#include <array>
#include <cstdint>
#include <string>

#include "link/native_device.h"

namespace dsp {

// The line settings a device had before the link set it up, so that closing
// gives the device back as it was found (a probed port, a terminal named by
// mistake).
class SavedLine {
 public:
  bool Save(NativeDevice device);
  // Puts the saved settings back once the output has drained; does nothing
  // when none were saved.
  void Restore(NativeDevice device) const;

 private:
  static constexpr std::size_t kStorage = 64;  // at least sizeof(termios2) or sizeof(DCB), checked where it is known
  alignas(8) std::array<std::uint8_t, kStorage> storage_{};
  bool saved_ = false;
};

// Raw bytes, 8 data bits, no parity, one stop bit, no flow control, reads
// that return at once, at `baud` bit/s: a named speed when the driver has one,
// any other rate as the driver's own. On failure returns the driver's reason.
bool SetRawLine(NativeDevice device, int baud, std::string& reason);

// Drops what was received and not read, and what was written and not sent.
bool FlushLine(NativeDevice device);

}  // namespace dsp
