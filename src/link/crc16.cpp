#include "link/crc16.h"

namespace dsp {

std::uint16_t Crc16Xmodem(ByteView data) {
  std::uint16_t crc = 0;
  for (std::uint8_t byte : data) {
    crc ^= static_cast<std::uint16_t>(byte << 8);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021) : static_cast<std::uint16_t>(crc << 1);
    }
  }
  return crc;
}

}  // namespace dsp
