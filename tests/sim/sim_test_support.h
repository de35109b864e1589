#pragma once

// Helpers shared by the simulator tests. Frames are written out byte by byte
// in the tests; these helpers only add the checksum and move bytes.

#include <chrono>
#include <string>
#include <vector>

#include "link/bytes.h"
#include "sim/sim_bus.h"

namespace dsp::test {

// Appends the checksum: the sum of every byte but the first, modulo 256.
Bytes WithSum(Bytes frame);

// A frame from its head and payload, with length and checksum filled in.
Bytes Frame(std::uint8_t kind, std::uint8_t address, std::uint8_t command, const Bytes& payload = {});

// `bytes` followed by zeros up to `size`.
Bytes Padded(Bytes bytes, std::size_t size);

// Writes `bytes` to the bus, lets `wait` pass and returns everything that has
// arrived (the host's raw view, no link in between).
Bytes Talk(SimBus& bus, const Bytes& bytes, std::chrono::milliseconds wait = std::chrono::milliseconds(100));

// YMODEM packets as a sender builds them.
Bytes HeaderBlock(const std::string& name, std::size_t size);
Bytes DataBlock(std::uint8_t number, Bytes data);  // padded to 1024 with 0x1A
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kEot = 0x04;

}  // namespace dsp::test
