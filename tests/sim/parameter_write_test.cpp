// Parameter writes applied to a processor and read back where the host's
// write-all and read-all on the simulator (procedures_on_sim_test) do not
// reach: masked outputs, offsets, every filter shape, missing channels,
// names and pink noise.

#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace dsp::test {
namespace {

constexpr std::uint8_t W = 0xF3;
constexpr std::uint8_t R = 0xF7;
constexpr std::uint8_t A = 2;
using std::chrono::milliseconds;

struct ParameterWrite : ::testing::Test {
  SimBus bus{9};
  SimProcessor& dsp = bus.Add("Hall", 8, 8);
  void SetUp() override { dsp.set_address(A); }
  void Write(std::uint8_t command, const Bytes& payload) {
    EXPECT_TRUE(Talk(bus, Frame(W, A, command, payload)).empty());
  }
  Bytes Read(std::uint8_t command, const Bytes& payload) {
    return Talk(bus, Frame(R, A, command, payload), milliseconds(120));
  }
  static int U16(const Bytes& f, std::size_t at) { return f.at(at) | f.at(at + 1) << 8; }
};

TEST_F(ParameterWrite, MatrixRowKeepsCellsOfMissingOutputsOff) {
  Write(0x0F, Padded({1, 0b1010, 0x80, 50, 0, 0, 0, 25, 0}, 21));
  EXPECT_EQ(Read(0x90, {1, 1}),
            WithSum({0xA5, 0x19, 0xF8, A, 0x90, 1, 0x0A, 0, 50, 0, 0, 0, 25, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

  SimProcessor& small = bus.Add("Lobby", 2, 4);
  small.set_address(7);
  Talk(bus, Frame(W, 7, 0x0F, Padded({0, 0, 0x80, 100, 0, 100, 0, 100, 0, 100, 0}, 21)));
  EXPECT_EQ(Talk(bus, Frame(R, 7, 0x90, {0, 0}))[6], 0xF0);
}

TEST_F(ParameterWrite, EqualiserBandOfAnInputAndOfMaskedOutputs) {
  // Input 2 is addressed as 2 x 2 + 1; band 30 of type 7 at -3.00 dB, 12000 Hz, Q 2.50.
  Write(0x0A, {5, 30, 1, 0xD4, 0x62, 0xE0, 0x2E, 0xFA, 0x00, 1, 0, 7});
  const Bytes in = Read(0x81, {2, 2, 16, 31});
  EXPECT_EQ(Bytes(in.begin() + 145, in.begin() + 155), (Bytes{2, 30, 1, 0xD4, 0x62, 0xE0, 0x2E, 0xFA, 0x00, 7}));

  // Outputs 1 and 4 at once, band 0.
  Write(0x0A, {0x15, 0, 1, 0xB0, 0x68, 100, 0, 50, 0, 0x12, 0, 0});
  for (int j = 0; j < 8; ++j) {
    const Bytes out = Read(0xA1, {static_cast<std::uint8_t>(j), static_cast<std::uint8_t>(j), 0, 15});
    EXPECT_EQ(out[7], j == 1 || j == 4) << j;
    EXPECT_EQ(U16(out, 8), j == 1 || j == 4 ? 26800 : 25600) << j;
  }
}

// The host's shape byte for a filter write, and its reading of a reply.
std::uint8_t HostShape(int type, int slope, bool high_pass, bool on) {
  int low = 2 * slope + (high_pass ? 1 : 0);
  if (type == 2 && on) low = high_pass ? slope : slope - 1;
  return static_cast<std::uint8_t>(type << 4 | low);
}
std::pair<int, int> HostReadShape(std::uint8_t s) {
  if (s == 255) return {0, 0};
  const int type = s >> 4;
  const int slope = (s >> 1) & 7;
  return {type, type == 2 ? slope * 2 + 1 : slope};
}

TEST_F(ParameterWrite, FilterShapeRoundTripsForEverySelectorItem) {
  std::vector<std::pair<int, int>> items;
  for (int type = 0; type < 2; ++type) {
    for (int slope = 0; slope < 8; ++slope) items.emplace_back(type, slope);
  }
  for (int slope : {1, 3, 5, 7}) items.emplace_back(2, slope);
  for (auto [type, slope] : items) {
    for (int filter = 0; filter < 2; ++filter) {
      for (bool on : {false, true}) {
        const bool high_pass = filter == 0;
        Write(high_pass ? 0x1B : 0x1C, {on, 0x0A, 6, HostShape(type, slope, high_pass, on), 0x10, 0x27});
        const Bytes reply = Read(0xA2, {6, 6, static_cast<std::uint8_t>(filter)});
        EXPECT_EQ(HostReadShape(reply[8]), std::make_pair(type, slope)) << type << " " << slope << " " << filter << on;
        EXPECT_EQ(reply[7], on);
        EXPECT_EQ(U16(reply, 9), 10000);
      }
    }
  }
}

TEST_F(ParameterWrite, LimiterThresholdRoundTripsInTheSignedByteWindow) {
  for (int offset : {0, 16}) {
    for (int gate = -128 - offset; gate <= 127 - offset; ++gate) {
      Write(0x1F, {0x0A, 1, 1 << 2, static_cast<std::uint8_t>(offset + 200 + gate), 44, 0});
      const Bytes reply = Read(0xA6, {2, 2});
      ASSERT_EQ(static_cast<std::int8_t>(reply[7]) - offset, gate) << offset;
      ASSERT_EQ(U16(reply, 8), 44);
    }
  }
}

TEST_F(ParameterWrite, CompressorRoundTripsWithItsOffset) {
  for (int offset : {0, 16}) {
    for (int gate : {-600, -1, 0, 35, 200}) {
      const auto raw = static_cast<std::uint16_t>(-(offset * 10) - gate);
      Write(0x29, {0x0A, 1, 1 << 5, 0xC4, 0x09, 0x88, 0x13, static_cast<std::uint8_t>(raw),
                   static_cast<std::uint8_t>(raw >> 8), 40, 0, 0});
      const Bytes reply = Read(0xA9, {5, 5});
      EXPECT_EQ(-static_cast<std::int16_t>(U16(reply, 11)) - offset * 10, gate);
      EXPECT_EQ(reply[6], 1);
      EXPECT_EQ(U16(reply, 7), 2500);
      EXPECT_EQ(U16(reply, 9), 5000);
      EXPECT_EQ(U16(reply, 13) / 10, 4);
    }
  }
  EXPECT_EQ(Read(0xA9, {4, 4})[6], 0);
}

TEST_F(ParameterWrite, PinkNoiseStartsAndStopsPerInput) {
  Talk(bus, Frame(0xF9, A, 0x01, {0x04, 1, 3, 200, 0x00, 0x01, 0x02, 0x03, 0, 0, 0x10, 0}));
  Talk(bus, Frame(0xF9, A, 0x01, {0x01, 1, 3, 200, 0x00, 0x01, 0x02, 0x03, 0, 0, 0x10, 0}));
  const auto& noise = dsp.pink_noise();
  EXPECT_EQ(std::make_tuple(noise.channel_mask, noise.volume, noise.address, noise.size),
            std::make_tuple(0x05, 200, 0x00010203u, 0x1000u));
  EXPECT_EQ(Read(0xD0, {0})[6], 0x05);
  Talk(bus, Frame(0xF9, A, 0x01, {0x04, 0, 3, 200, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(dsp.pink_noise().channel_mask, 0x01);
}

TEST_F(ParameterWrite, PresetNameAndDeviceRename) {
  Write(0xD7, Padded({4, 'B', 'a', 'n', 'd'}, 21));
  EXPECT_EQ(dsp.preset(4).name, "Band");
  Bytes long_name = {6};
  for (int i = 0; i < 20; ++i) long_name.push_back(static_cast<std::uint8_t>('a' + i));
  Write(0xD7, long_name);
  EXPECT_EQ(dsp.preset(6).name, "abcdefghijklmnopqrs");

  Bytes rename(20, 0);
  const std::string twenty = "Main hall left stack";
  std::copy(twenty.begin(), twenty.end(), rename.begin());
  EXPECT_TRUE(Talk(bus, Frame(0xF2, A, 0xE6, rename)).empty());
  EXPECT_EQ(dsp.name(), twenty);
}

TEST_F(ParameterWrite, WritesForMissingChannelsChangeNothing) {
  SimProcessor& small = bus.Add("Lobby", 2, 4);
  small.set_address(7);
  const SimParameters before = small.parameters();
  Talk(bus, Frame(W, 7, 0x10, Padded({2, 1, 9, 9}, 18)));
  Talk(bus, Frame(W, 7, 0x12, {1, 2, 170, 160, 0xFF}));
  Talk(bus, Frame(W, 7, 0x1B, {1, 0x0A, 4, 0x01, 0x10, 0x27}));
  Talk(bus, Frame(W, 7, 0x1F, {0x0A, 1, 0x30, 200, 44, 0}));
  Talk(bus, Frame(W, 7, 0x0A, {5, 0, 1, 0, 0x64, 100, 0, 50, 0, 1, 0, 0}));
  Talk(bus, Frame(W, 7, 0x0A, {1, 32, 1, 0, 0x64, 100, 0, 50, 0, 1, 0, 0}));
  Talk(bus, Frame(W, 7, 0x29, Padded({}, 12)));
  EXPECT_EQ(small.parameters(), before);
}

}  // namespace
}  // namespace dsp::test
