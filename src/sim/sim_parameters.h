#pragma once

// The processor's parameter set, held the way the processor keeps it: in the
// raw units that travel in its write frames and read replies. The host's
// record units (hundredths of a dB and so on) appear only in comments.

#include <array>
#include <cstdint>

namespace dsp {

inline constexpr int kSimMaxChannels = 8;
// Band slots per channel. The host uses 31; the second equaliser read asks for
// bands 16 to 31, so the processor keeps a 32nd slot that nobody edits.
inline constexpr int kSimBandSlots = 32;
inline constexpr std::uint16_t kGainRawZeroDb = 2000;     // tenths of a dB + 2000
inline constexpr std::uint16_t kEqGainRawZeroDb = 25600;  // hundredths of a dB + 25600

struct SimBand {
  bool on = false;
  std::uint16_t gain_raw = kEqGainRawZeroDb;
  std::uint16_t frequency = 1000;  // Hz
  std::uint16_t q = 100;           // hundredths
  std::uint8_t type = 0;           // 0 peaking, 6 low shelf, 7 high shelf; others kept as sent
  bool operator==(const SimBand&) const = default;
};

struct SimChannel {
  bool mute = false;
  std::uint16_t gain_raw = kGainRawZeroDb;
  bool polarity_inverted = false;
  bool delay_on = false;
  std::uint16_t delay = 0;  // samples
  std::array<SimBand, kSimBandSlots> bands{};
  bool operator==(const SimChannel&) const = default;
};

// An output's high-pass (index 0) or low-pass (index 1) filter. The shape byte
// of the frames is decoded into the filter family and its order code.
struct SimFilter {
  bool on = false;
  std::uint8_t type = 0;   // family 0..2 (high nibble of the shape byte)
  std::uint8_t slope = 0;  // order code as the host shows it: 0..7, odd for family 2
  std::uint16_t frequency = 20;
  bool operator==(const SimFilter&) const = default;
};

struct SimNoiseGate {
  bool on = false;
  std::uint8_t start_raw = 200;  // threshold + 200 (+ the host's offset)
  std::uint8_t release_raw = 200;
  bool operator==(const SimNoiseGate&) const = default;
};

struct SimCompressor {
  bool on = false;
  std::uint16_t attack = 2500;
  std::uint16_t release = 5000;
  std::uint16_t threshold_raw = 0;  // 16-bit two's complement, as written
  std::uint16_t ratio_raw = 10;     // ratio x 10
  bool operator==(const SimCompressor&) const = default;
};

struct SimLimiter {
  bool on = false;
  std::int8_t threshold = 0;  // written byte - 200, read back as a signed byte
  std::uint8_t release = 100;
  bool operator==(const SimLimiter&) const = default;
};

// One input's sends to the outputs. A set bit switches the cell off.
struct SimMatrixRow {
  std::uint8_t off_bits = 0xFF;
  std::array<std::uint16_t, kSimMaxChannels> level{};  // percent
  bool operator==(const SimMatrixRow&) const = default;
};

struct SimParameters {
  std::array<SimChannel, kSimMaxChannels> inputs{};
  std::array<SimChannel, kSimMaxChannels> outputs{};
  std::array<SimNoiseGate, kSimMaxChannels> gates{};
  std::array<std::array<SimFilter, 2>, kSimMaxChannels> filters{};
  std::array<SimCompressor, kSimMaxChannels> compressors{};
  std::array<SimLimiter, kSimMaxChannels> limiters{};
  std::array<SimMatrixRow, kSimMaxChannels> matrix{};
  bool operator==(const SimParameters&) const = default;
};

// The factory settings: 0 dB, nothing muted or inverted, flat equalisers on the
// 1/3-octave series, filters, dynamics and delays off, and input i routed to
// output i at 100 %.
SimParameters FactoryParameters();

}  // namespace dsp
