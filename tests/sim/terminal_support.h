#pragma once

// The host's end of a pseudo-terminal in the real-time tests: the link's own
// serial port, opened on the terminal's path.

#include <chrono>

#include "link/serial_port.h"

namespace dsp::test {

// Reads until `count` bytes have arrived, the line is lost, or `limit` has
// passed; returns what arrived.
Bytes ReadFor(CSerialPort& line, std::size_t count, std::chrono::milliseconds limit = std::chrono::milliseconds(3000));

}  // namespace dsp::test
