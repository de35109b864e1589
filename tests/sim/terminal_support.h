#pragma once

// The host's end of a pseudo-terminal in the real-time tests.

#include <chrono>
#include <string>

#include "link/bytes.h"

namespace dsp::test {

// Opens a terminal device like a serial port: raw and non-blocking. Returns -1
// on failure.
int OpenLine(const std::string& path);

void WriteAll(int fd, const Bytes& bytes);

// Reads until `count` bytes have arrived, the line is closed, or `limit` has
// passed; returns what arrived.
Bytes ReadFor(int fd, std::size_t count, std::chrono::milliseconds limit = std::chrono::milliseconds(3000));

}  // namespace dsp::test
