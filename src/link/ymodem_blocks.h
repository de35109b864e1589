#pragma once

// The packets of a YMODEM send: the start frame that puts the processor's
// loader into receive mode, block 0 with the file name and size, and the
// 1024-byte data blocks, each with its CRC-16 high byte first.

#include <cstdint>
#include <string_view>

#include "link/bytes.h"

namespace dsp {

inline constexpr std::uint8_t kSoh = 0x01;
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kCrcRequest = 0x43;  // "C": the receiver wants CRC blocks
inline constexpr std::uint8_t kBlockFill = 0x1A;

inline constexpr std::size_t kHeaderDataSize = 128;
inline constexpr std::size_t kDataBlockSize = 1024;
inline constexpr std::size_t kHeaderBlockSize = 3 + kHeaderDataSize + 2;
inline constexpr std::size_t kDataPacketSize = 3 + kDataBlockSize + 2;

enum class TransferMode : int { kFirmware = 0, kParameters = 1 };

// 0xF3 to `address` with command 0xD0 (firmware) or 0xD6 (parameter image).
Bytes StartFrame(std::uint8_t address, TransferMode mode);

// SOH 00 FF, 128 data bytes, CRC. The data holds the name and its NUL when the
// name is shorter than 128 characters, then the size in decimal when it fits.
Bytes HeaderBlock(std::string_view name, std::uint32_t size);

// STX n ~n, the data filled up to 1024 bytes with 0x1A, CRC of the 1024 bytes.
Bytes DataBlock(std::uint8_t number, ByteView data);

}  // namespace dsp
