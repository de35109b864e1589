#pragma once

// The identifier of a scheduled parameter write. The main window arms a
// one-shot timer under this identifier for every change, so a burst of
// changes to the same target coalesces into one frame; when it fires the
// identifier alone names the frame to build (write_builders.h).
//
// Bit layout by kind (low byte = kind):
//   channel kinds (delay, compressor, pink noise, gain/mute, limiter, noise
//   gate, polarity, rename): bit 31 side (1 = outputs; pink noise: 1 = on),
//   bits 24..30 channel, bits 16..23 address, bits 8..15 zero.
//   equaliser band, filter: as above, bits 8..15 band or filter index.
//   matrix row: bits 24..31 input, bits 16..23 output (not used by the frame),
//   bits 8..15 address.

#include <compare>
#include <cstdint>

namespace dsp {

enum WriteKind : std::uint8_t {
  kWriteDelay = 0x80,
  kWriteCompressor = 0x81,
  kWriteEqBand = 0x82,
  kWritePinkNoise = 0x83,
  kWriteFilter = 0x84,
  kWriteGainMute = 0x85,
  kWriteLimiter = 0x87,
  kWriteNoiseGate = 0x88,
  kWritePolarity = 0x89,
  kWriteMatrixRow = 0x8A,
  kWriteRename = 0x8B,  // device name; its frame belongs to the discovery commands
  kWriteKindsEnd,       // one past the last kind, kept last: the window's other timers start here
};

class WriteId {
 public:
  constexpr WriteId() = default;
  constexpr explicit WriteId(std::uint32_t value) : value_(value) {}

  // Whole-side kinds: an input write names one channel, an output write
  // carries every output and `channel` only picks the timer.
  static constexpr WriteId Delay(int side, int channel, int address) {
    return Pack(kWriteDelay, side, channel, address, 0);
  }
  static constexpr WriteId GainMute(int side, int channel, int address) {
    return Pack(kWriteGainMute, side, channel, address, 0);
  }
  static constexpr WriteId Polarity(int side, int channel, int address) {
    return Pack(kWritePolarity, side, channel, address, 0);
  }
  static constexpr WriteId EqBand(int side, int channel, int band, int address) {
    return Pack(kWriteEqBand, side, channel, address, band);
  }
  // Output-only kinds carry side 1, the noise gate side 0: the frames are
  // built only for those sides.
  static constexpr WriteId Compressor(int channel, int address) {
    return Pack(kWriteCompressor, 1, channel, address, 0);
  }
  static constexpr WriteId Limiter(int channel, int address) { return Pack(kWriteLimiter, 1, channel, address, 0); }
  static constexpr WriteId Filter(int channel, int filter, int address) {
    return Pack(kWriteFilter, 1, channel, address, filter);
  }
  static constexpr WriteId NoiseGate(int channel, int address) { return Pack(kWriteNoiseGate, 0, channel, address, 0); }
  static constexpr WriteId PinkNoise(bool on, int channel, int address) {
    return Pack(kWritePinkNoise, on ? 1 : 0, channel, address, 0);
  }
  static constexpr WriteId MatrixRow(int input, int output, int address) {
    return WriteId((Bits(input, 0xFF) << 24) | (Bits(output, 0xFF) << 16) | (Bits(address, 0xFF) << 8) |
                   kWriteMatrixRow);
  }
  static constexpr WriteId Rename(int address) { return Pack(kWriteRename, 0, 0, address, 0); }

  constexpr std::uint32_t Value() const { return value_; }
  constexpr std::uint8_t Kind() const { return static_cast<std::uint8_t>(value_); }
  constexpr int Address() const {
    return static_cast<int>((Kind() == kWriteMatrixRow ? value_ >> 8 : value_ >> 16) & 0xFF);
  }
  constexpr int Side() const { return static_cast<int>(value_ >> 31); }
  constexpr bool PinkNoiseOn() const { return Side() == 1; }
  constexpr int Channel() const { return static_cast<int>((value_ >> 24) & 0x7F); }
  constexpr int Band() const { return static_cast<int>((value_ >> 8) & 0xFF); }
  constexpr int Filter() const { return Band(); }
  constexpr int Input() const { return static_cast<int>(value_ >> 24); }
  constexpr int Output() const { return static_cast<int>((value_ >> 16) & 0xFF); }

  constexpr auto operator<=>(const WriteId&) const = default;

 private:
  static constexpr std::uint32_t Bits(int value, std::uint32_t mask) {
    return static_cast<std::uint32_t>(value) & mask;
  }
  static constexpr WriteId Pack(WriteKind kind, int side, int channel, int address, int index) {
    return WriteId((Bits(side, 1) << 31) | (Bits(channel, 0x7F) << 24) | (Bits(address, 0xFF) << 16) |
                   (Bits(index, 0xFF) << 8) | kind);
  }

  std::uint32_t value_ = 0;
};

}  // namespace dsp
