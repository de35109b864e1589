#pragma once

#include <cstdint>

#include "link/bytes.h"

namespace dsp {

// CRC-16/XMODEM: polynomial 0x1021, initial value 0, no reflection, no final
// XOR. The check value of "123456789" is 0x31C3.
std::uint16_t Crc16Xmodem(ByteView data);

}  // namespace dsp
