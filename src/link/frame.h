#pragma once

// The bus frame: A5, length, kind, address, command, payload, checksum.
// The length byte counts the whole frame, header and checksum included.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "link/bytes.h"

namespace dsp {

inline constexpr std::uint8_t kFrameHeader = 0xA5;
inline constexpr std::size_t kMinFrameLength = 6;
inline constexpr std::size_t kMaxFrameLength = 255;

enum FrameKind : std::uint8_t {
  kKindRequest = 0xF7,    // host asks, processor answers with kKindReply
  kKindReply = 0xF8,
  kKindDiscovery = 0xF2,  // scan and addressing; the answer complements byte 3
  kKindWrite = 0xF3,      // write or action, nothing is awaited
  kKindPinkNoise = 0xF9,  // pink-noise control, nothing is awaited
};

// Offsets of the fixed head.
inline constexpr std::size_t kOffsetLength = 1;
inline constexpr std::size_t kOffsetKind = 2;
inline constexpr std::size_t kOffsetAddress = 3;
inline constexpr std::size_t kOffsetCommand = 4;
inline constexpr std::size_t kOffsetPayload = 5;

// Sum of bytes 1 .. length-2 modulo 256. Returns 0 for an empty view or one
// that does not start with the header byte. Bytes the length names beyond the
// view are not read.
std::uint8_t FrameChecksum(ByteView frame);

// Stores the checksum into the last byte; builders call this after every other
// byte is final.
void SealFrame(Bytes& frame);

// A complete frame: header, length = 6 + payload size, kind, address, command,
// payload, checksum.
Bytes BuildFrame(std::uint8_t kind, std::uint8_t address, std::uint8_t command, ByteView payload = {});

// A frame of `length` bytes with its head filled, payload zeroed and no
// checksum yet; the caller fills the payload and seals it.
Bytes BlankFrame(std::size_t length, std::uint8_t kind, std::uint8_t address, std::uint8_t command);

// True when the view holds exactly one frame with a matching length byte and
// checksum.
bool IsValidFrame(ByteView frame);

// Finds the reply in the bytes of one read: the first position holding A5, a
// reply or discovery kind two bytes on, and a length that fits in what is left.
// Only that first candidate is examined; it is returned (exactly its length
// bytes) when its checksum holds, otherwise nothing is.
std::optional<ByteView> FindReplyFrame(ByteView received);

// Whether a reply that passed its checksum answers the request.
bool ReplyMatches(ByteView request, ByteView reply);

}  // namespace dsp
