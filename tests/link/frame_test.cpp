#include "link/frame.h"

#include <gtest/gtest.h>

#include "link/crc16.h"

namespace dsp {
namespace {

TEST(FrameChecksum, KnownBroadcastsAndRejections) {
  EXPECT_EQ(FrameChecksum(Bytes{0xA5, 0x06, 0xF2, 0x00, 0xE1, 0x00}), 0xD9);
  EXPECT_EQ(FrameChecksum(Bytes{0xA5, 0x06, 0xF2, 0x00, 0xE3, 0x00}), 0xDB);
  EXPECT_EQ(FrameChecksum(Bytes{0xA4, 0x06, 0xF2, 0x00, 0xE1, 0x00}), 0);
  EXPECT_EQ(FrameChecksum(Bytes{}), 0);
  // A length byte larger than the bytes at hand reads no further than them.
  EXPECT_EQ(FrameChecksum(Bytes{0xA5, 0xFF, 0x01}), 0xFF);
}

TEST(BuildFrame, FillsHeadLengthAndChecksum) {
  const Bytes frame = BuildFrame(kKindDiscovery, 0, 0xE1);
  EXPECT_EQ(frame, (Bytes{0xA5, 0x06, 0xF2, 0x00, 0xE1, 0xD9}));
  const Bytes with_payload = BuildFrame(kKindRequest, 3, 0x71, Bytes{5});
  EXPECT_EQ(with_payload, (Bytes{0xA5, 0x07, 0xF7, 0x03, 0x71, 0x05, 0x77}));
  EXPECT_TRUE(IsValidFrame(with_payload));
  // One byte more than the length byte says, with the same sum: not a frame.
  Bytes longer = with_payload;
  longer.insert(longer.end() - 1, 0x00);
  EXPECT_FALSE(IsValidFrame(longer));
}

Bytes Reply(std::uint8_t address, std::uint8_t command, Bytes payload) {
  return BuildFrame(kKindReply, address, command, payload);
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Leading noise is skipped and trailing bytes ignored; A5 with a request kind
// is no candidate and one whose length runs past the end is skipped; but only
// the first whole candidate is examined.
TEST(FindReplyFrame, TakesTheFirstWholeCandidateOnly) {
  const Bytes reply = Reply(2, 0x85, {0, 0, 1});
  Bytes bad = reply;
  bad.back() ^= 0x01;
  const struct {
    Bytes buffer;
    std::optional<Bytes> found;
  } cases[] = {{Concat({{0x11, 0x22, 0xA5}, reply, {0x99, 0xA5}}), reply},
               {Concat({{0xA5, 0x06, 0xF7}, {0xA5, 0xF0, 0xF8}, reply}), reply},
               {Concat({bad, reply}), std::nullopt}};
  for (const auto& c : cases) {
    const auto found = FindReplyFrame(c.buffer);
    EXPECT_EQ(found ? std::optional(Bytes(found->begin(), found->end())) : std::nullopt, c.found);
  }
}

TEST(ReplyMatches, AddressCommandAndDiscoveryComplement) {
  const Bytes request = BuildFrame(kKindRequest, 2, 0x85, Bytes{0, 0});
  EXPECT_TRUE(ReplyMatches(request, Reply(2, 0x85, {0, 0, 1})));
  EXPECT_FALSE(ReplyMatches(request, Reply(3, 0x85, {0, 0, 1})));
  EXPECT_FALSE(ReplyMatches(request, Reply(2, 0x84, {0, 0, 1})));

  const Bytes ask = BuildFrame(kKindDiscovery, 0, 0xE1);
  Bytes answer = BuildFrame(kKindDiscovery, 0xFF, 0xE2, Bytes(8, 0x42));
  EXPECT_TRUE(ReplyMatches(ask, answer));
  answer = BuildFrame(kKindDiscovery, 0x00, 0xE2, Bytes(8, 0x42));
  EXPECT_FALSE(ReplyMatches(ask, answer));
}

TEST(Crc16Xmodem, CheckValue) {
  const std::string text = "123456789";
  EXPECT_EQ(Crc16Xmodem(ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())), 0x31C3);
  EXPECT_EQ(Crc16Xmodem({}), 0);
}

}  // namespace
}  // namespace dsp
