#include "link/telnet_codec.h"

#include <gtest/gtest.h>

namespace dsp {
namespace {

TEST(TelnetCodec, EscapeDoublesEveryFfAndCountsWhatWentOutWhole) {
  EXPECT_EQ(TelnetCodec::Escape(Bytes{0xA5, 0xFF, 0x00, 0xFF, 0xFF}),
            (Bytes{0xA5, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
  const Bytes data = {0x01, 0xFF, 0x02};
  EXPECT_EQ(TelnetCodec::DataSent(data, 4), 3u);
  EXPECT_EQ(TelnetCodec::DataSent(data, 2), 1u) << "half of an escaped 0xFF is not the byte";
  EXPECT_EQ(TelnetCodec::DataSent(data, 3), 2u);
}

TEST(TelnetCodec, OpeningSetsTheLineFromTheBaudRate) {
  const std::size_t offers = 9;
  EXPECT_EQ(TelnetCodec::Opening(115200),
            (Bytes{0xFF, 0xFB, 44, 0xFF, 0xFB, 0, 0xFF, 0xFD, 0,            // the offers
                   0xFF, 0xFA, 44, 1, 0x00, 0x01, 0xC2, 0x00, 0xFF, 0xF0,  // the baud rate
                   0xFF, 0xFA, 44, 2, 8, 0xFF, 0xF0, 0xFF, 0xFA, 44, 3, 1, 0xFF, 0xF0,
                   0xFF, 0xFA, 44, 4, 1, 0xFF, 0xF0, 0xFF, 0xFA, 44, 5, 1, 0xFF, 0xF0}));
  // A rate byte of 0xFF is escaped inside the subnegotiation as well.
  const Bytes odd = TelnetCodec::Opening(0xFF00);
  ASSERT_GT(odd.size(), offers + 11);
  EXPECT_EQ(Bytes(odd.begin() + offers, odd.begin() + offers + 11),
            (Bytes{0xFF, 0xFA, 44, 1, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0xF0}));
}

// Each case is fed in the given pieces to one codec, as reads deliver them.
TEST(TelnetCodec, UnescapeKeepsDataAndAnswersOrDropsCommands) {
  struct Case {
    const char* what;
    std::vector<Bytes> pieces;
    Bytes data;
    Bytes answers;
  };
  const Case cases[] = {
      {"plain data", {{0xA5, 0x06, 0x00}}, {0xA5, 0x06, 0x00}, {}},
      {"doubled 0xFF", {{0x01, 0xFF, 0xFF, 0x02}}, {0x01, 0xFF, 0x02}, {}},
      {"doubled 0xFF cut between reads", {{0x01, 0xFF}, {0xFF, 0x02}}, {0x01, 0xFF, 0x02}, {}},
      {"agreement to our offers", {{0xFF, 0xFD, 44, 0xFF, 0xFB, 0, 0xFF, 0xFD, 0, 0x07}}, {0x07}, {}},
      {"other options refused",
       {{0xFF, 0xFB, 1, 0xFF, 0xFD, 24, 0x09}},
       {0x09},
       {0xFF, 0xFE, 1, 0xFF, 0xFC, 24}},
      {"refusals need no answer", {{0xFF, 0xFC, 3, 0xFF, 0xFE, 1}}, {}, {}},
      {"server's com-port answers dropped, 0xFF inside them too",
       {{0x10, 0xFF, 0xFA, 44, 101, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0xF0, 0x11}},
       {0x10, 0x11},
       {}},
      {"subnegotiation cut between reads", {{0xFF, 0xFA, 44, 106}, {0x60, 0xFF}, {0xF0, 0x12}}, {0x12}, {}},
      {"two-byte commands dropped", {{0x13, 0xFF, 0xF1, 0xFF, 0xF6, 0x14}}, {0x13, 0x14}, {}},
      {"option cut between reads", {{0xFF}, {0xFD}, {31, 0x15}}, {0x15}, {0xFF, 0xFC, 31}},
  };
  for (const Case& c : cases) {
    TelnetCodec codec;
    Bytes data;
    Bytes answers;
    for (const Bytes& piece : c.pieces) {
      const Bytes got = codec.Unescape(piece, answers);
      data.insert(data.end(), got.begin(), got.end());
    }
    EXPECT_EQ(data, c.data) << c.what;
    EXPECT_EQ(answers, c.answers) << c.what;
  }
}

}  // namespace
}  // namespace dsp
