#include "link/ymodem_blocks.h"

#include <algorithm>
#include <string>

#include "link/crc16.h"
#include "link/frame.h"
#include "link/wire_commands.h"

namespace dsp {
namespace {

// Head, data and CRC of the data, high byte first.
Bytes Packet(std::uint8_t start, std::uint8_t number, ByteView data) {
  Bytes packet{start, number, static_cast<std::uint8_t>(0xFF - number)};
  packet.insert(packet.end(), data.begin(), data.end());
  const std::uint16_t crc = Crc16Xmodem(data);
  packet.push_back(static_cast<std::uint8_t>(crc >> 8));
  packet.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  return packet;
}

}  // namespace

Bytes StartFrame(std::uint8_t address, TransferMode mode) {
  const std::uint8_t command = mode == TransferMode::kFirmware ? command::kFirmwareStart : command::kParameterImageStart;
  return BuildFrame(kKindWrite, address, command);
}

Bytes HeaderBlock(std::string_view name, std::uint32_t size) {
  Bytes data(kHeaderDataSize, 0);
  std::size_t used = 0;
  if (name.size() < kHeaderDataSize) {
    std::copy(name.begin(), name.end(), data.begin());
    used = name.size() + 1;
  }
  const std::string digits = std::to_string(size);
  if (digits.size() < kHeaderDataSize - used) std::copy(digits.begin(), digits.end(), data.begin() + used);
  return Packet(kSoh, 0x00, data);
}

Bytes DataBlock(std::uint8_t number, ByteView data) {
  Bytes filled(kDataBlockSize, kBlockFill);
  std::copy_n(data.begin(), std::min(data.size(), kDataBlockSize), filled.begin());
  return Packet(kStx, number, filled);
}

}  // namespace dsp
