#include "link/ymodem_blocks.h"

#include <gtest/gtest.h>

#include <string>

#include "link/crc16.h"
#include "link/frame.h"

namespace dsp {
namespace {

ByteView DataOf(const Bytes& packet) { return ByteView(packet).subspan(3, packet.size() - 5); }

void ExpectCrcAtTheEnd(const Bytes& packet) {
  const std::uint16_t crc = Crc16Xmodem(DataOf(packet));
  EXPECT_EQ(packet[packet.size() - 2], crc >> 8);
  EXPECT_EQ(packet[packet.size() - 1], crc & 0xFF);
}

std::string TextAt(const Bytes& packet, std::size_t offset) {
  return std::string(reinterpret_cast<const char*>(packet.data() + offset));
}

TEST(StartFrame, FirmwareAndParameterCommands) {
  EXPECT_EQ(StartFrame(3, TransferMode::kFirmware), BuildFrame(kKindWrite, 3, 0xD0));
  const Bytes parameters = StartFrame(0x21, TransferMode::kParameters);
  EXPECT_EQ(parameters, (Bytes{0xA5, 0x06, 0xF3, 0x21, 0xD6, 0xF0}));
}

TEST(HeaderBlock, NameNulSizeThenZeros) {
  const Bytes header = HeaderBlock("dsp_v2.bin", 2048);
  ASSERT_EQ(header.size(), kHeaderBlockSize);
  EXPECT_EQ(Bytes(header.begin(), header.begin() + 3), (Bytes{kSoh, 0x00, 0xFF}));
  EXPECT_EQ(TextAt(header, 3), "dsp_v2.bin");
  EXPECT_EQ(TextAt(header, 3 + 11), "2048");
  for (std::size_t i = 3 + 15; i < 3 + kHeaderDataSize; ++i) ASSERT_EQ(header[i], 0) << i;
  ExpectCrcAtTheEnd(header);
}

TEST(HeaderBlock, LongNamesLeaveRoomOnlyForWhatFits) {
  const Bytes no_name = HeaderBlock(std::string(128, 'n'), 307200);
  EXPECT_EQ(TextAt(no_name, 3), "307200");
  ExpectCrcAtTheEnd(no_name);

  // 127 characters and the NUL fill the block: the size no longer fits.
  const Bytes full = HeaderBlock(std::string(127, 'n'), 5);
  EXPECT_EQ(TextAt(full, 3), std::string(127, 'n'));
  EXPECT_EQ(full[3 + 127], 0);

  const Bytes tight = HeaderBlock(std::string(125, 'n'), 7);
  EXPECT_EQ(TextAt(tight, 3 + 126), "7");
}

TEST(DataBlock, NumberComplementFillAndCrc) {
  const Bytes one = DataBlock(1, Bytes{0x42});
  ASSERT_EQ(one.size(), kDataPacketSize);
  EXPECT_EQ(Bytes(one.begin(), one.begin() + 4), (Bytes{kStx, 1, 0xFE, 0x42}));
  for (std::size_t i = 4; i < 3 + kDataBlockSize; ++i) ASSERT_EQ(one[i], kBlockFill) << i;
  ExpectCrcAtTheEnd(one);

  Bytes full(kDataBlockSize);
  for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<std::uint8_t>(i * 7);
  const Bytes zero = DataBlock(0, full);
  EXPECT_EQ(Bytes(zero.begin() + 1, zero.begin() + 3), (Bytes{0, 0xFF}));
  EXPECT_TRUE(std::equal(full.begin(), full.end(), zero.begin() + 3));
  ExpectCrcAtTheEnd(zero);
}

}  // namespace
}  // namespace dsp
