#include "model/write_encoders.h"

#include "link/frame.h"
#include "link/wire_commands.h"

namespace dsp::encode {
namespace {

// Constant bytes whose meaning is the processor's own; they go out as they are.
constexpr std::uint8_t kWholeSide = 0x0A;
constexpr std::uint8_t kGainFrameTail = 0x04;
constexpr std::uint8_t kMatrixMarker = 0x80;
constexpr std::uint8_t kPinkNoiseMode = 0x03;
constexpr std::uint8_t kNoiseGateTail = 0xFF;
constexpr std::uint8_t kInverted = 180;
// Gains travel as tenths of a dB offset by 2000: 2000 is 0.0 dB, 1360 -64.0 dB.
constexpr std::uint32_t kGainZero = 2000;
constexpr std::uint32_t kGainFloor = 1360;
// Equaliser gains travel offset by 256.00 dB.
constexpr std::uint32_t kEqGainZero = 25600;

Bytes Blank(std::size_t length, std::uint8_t command, const DeviceRecord& record) {
  return BlankFrame(length, kKindWrite, static_cast<std::uint8_t>(record.Address()), command);
}

std::optional<Bytes> Sealed(Bytes frame) {
  SealFrame(frame);
  return frame;
}

std::uint8_t Low8(std::uint32_t value) { return static_cast<std::uint8_t>(value & 0xFF); }
std::uint8_t Low8(int value) { return Low8(static_cast<std::uint32_t>(value)); }

void PutLe16(Bytes& frame, std::size_t at, std::uint32_t value) {
  frame[at] = Low8(value);
  frame[at + 1] = Low8(value >> 8);
}
void PutLe16(Bytes& frame, std::size_t at, int value) { PutLe16(frame, at, static_cast<std::uint32_t>(value)); }

void PutBe32(Bytes& frame, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) frame[at + i] = Low8(value >> (24 - 8 * i));
}

// The one-hot channel byte: channels past the eighth have no bit.
std::uint8_t ChannelBit(int channel) {
  return channel >= 0 && channel < kChannelsPerSide ? static_cast<std::uint8_t>(1u << channel) : 0;
}

std::uint32_t GainWord(int gain_hundredths) {
  return kGainZero + static_cast<std::uint32_t>(gain_hundredths / 10);  // truncates toward zero
}

bool IsOutputWrite(WriteId id) { return id.Side() == kOutputSide; }

// Slope code n and type k in one byte: type in the high nibble; the low
// nibble is 2n + 1 for a high pass and 2n for a low pass, except that an
// active type-2 filter (odd slopes only) sends n itself for the high pass
// and n - 1 for the low pass.
std::uint8_t FilterShape(int filter, int type, int slope, bool on) {
  const std::uint32_t n = static_cast<std::uint32_t>(slope);
  const bool high = filter == kHighPass;
  std::uint32_t low_nibble = 2u * n + (high ? 1u : 0u);
  if (type == 2 && on) low_nibble = high ? n : n - 1u;
  return static_cast<std::uint8_t>(((static_cast<std::uint32_t>(type) & 0x0F) << 4) | (low_nibble & 0x0F));
}

}  // namespace

std::optional<Bytes> Delay(const DeviceRecord& record, WriteId id, const Configuration&) {
  Bytes frame = Blank(24, command::kDelayWrite, record);
  const int c = id.Channel();
  if (!IsOutputWrite(id)) {
    frame[5] = Low8(c);
    frame[6] = record.DelayEnable(kInputSide, c) ? 1 : 0;
    PutLe16(frame, 7, record.Delay(kInputSide, c));
    return Sealed(frame);
  }
  frame[5] = kWholeSide;
  for (int j = 0; j < record.Outputs(); ++j) {
    if (record.DelayEnable(kOutputSide, j)) frame[6] |= ChannelBit(j);
    PutLe16(frame, 7 + 2 * j, record.Delay(kOutputSide, j));
  }
  return Sealed(frame);
}

std::optional<Bytes> Compressor(const DeviceRecord& record, WriteId id, const Configuration& config) {
  if (!IsOutputWrite(id)) return std::nullopt;
  const int c = id.Channel();
  Bytes frame = Blank(18, command::kCompressorWrite, record);
  frame[5] = kWholeSide;
  frame[6] = record.CompressorEnable(c) ? 1 : 0;
  frame[7] = ChannelBit(c);
  PutLe16(frame, 8, record.CompressorStartTime(c));
  PutLe16(frame, 10, record.CompressorReleaseTime(c));
  // The threshold counts down from the configured offset, in 0.1 dB.
  const std::uint32_t threshold =
      0u - config.drc_offset * 10u - static_cast<std::uint32_t>(record.CompressorStartGate(c));
  PutLe16(frame, 12, threshold);
  PutLe16(frame, 14, static_cast<std::uint32_t>(record.CompressorRatio(c)) * 10u);
  return Sealed(frame);
}

std::optional<Bytes> EqBand(const DeviceRecord& record, WriteId id, const Configuration&) {
  const int s = id.Side();
  const int c = id.Channel();
  const int b = id.Band();
  const int type = record.EqualizerType(s, c, b);
  // Peaking is code 0 on the wire; a stored code 2 goes out as a low shelf
  // at the gain floor.
  int wire_type = type;
  int gain = record.EqualizerGain(s, c, b);
  if (type == 1) {
    wire_type = 0;
  } else if (type == 2) {
    wire_type = 6;
    gain = -1200;
  }
  Bytes frame = Blank(18, command::kEqBandWrite, record);
  frame[5] = s == kInputSide ? Low8(2 * c + 1) : 0x15;
  frame[6] = Low8(b);
  frame[7] = record.EqualizerEnable(s, c, b) ? 1 : 0;
  PutLe16(frame, 8, static_cast<std::uint32_t>(gain) + kEqGainZero);
  PutLe16(frame, 10, record.EqualizerFrequence(s, c, b));
  PutLe16(frame, 12, record.EqualizerQ(s, c, b));
  frame[14] = s == kInputSide ? 1 : ChannelBit(c);
  frame[16] = Low8(wire_type);
  return Sealed(frame);
}

std::optional<Bytes> PinkNoise(const DeviceRecord& record, WriteId id, const Configuration& config) {
  Bytes frame = BlankFrame(18, kKindPinkNoise, static_cast<std::uint8_t>(record.Address()), command::kPinkNoise);
  frame[5] = ChannelBit(id.Channel());
  frame[6] = id.PinkNoiseOn() ? 1 : 0;
  frame[7] = kPinkNoiseMode;
  frame[8] = Low8(config.pink_noise_volume);
  PutBe32(frame, 9, config.pink_noise_address);
  PutBe32(frame, 13, config.pink_noise_size);
  return Sealed(frame);
}

std::optional<Bytes> Filter(const DeviceRecord& record, WriteId id, const Configuration&) {
  const int f = id.Filter();
  if (!IsOutputWrite(id) || (f != kHighPass && f != kLowPass)) return std::nullopt;
  const int c = id.Channel();
  const bool on = record.FilterEnable(kOutputSide, c, f);
  Bytes frame = Blank(12, f == kHighPass ? command::kHighPassWrite : command::kLowPassWrite, record);
  frame[5] = on ? 1 : 0;
  frame[6] = kWholeSide;
  frame[7] = Low8(c);
  frame[8] = FilterShape(f, record.FilterType(kOutputSide, c, f), record.FilterSlope(kOutputSide, c, f), on);
  PutLe16(frame, 9, record.FilterFrequence(kOutputSide, c, f));
  return Sealed(frame);
}

std::optional<Bytes> GainMute(const DeviceRecord& record, WriteId id, const Configuration&) {
  Bytes frame = Blank(27, command::kGainWrite, record);
  frame[7] = 1;
  frame[24] = kGainFrameTail;
  const int c = id.Channel();
  if (!IsOutputWrite(id)) {
    // One input at a time: its gain in slot 0, the floor in the other input slots.
    frame[5] = Low8(c);
    frame[6] = record.Mute(kInputSide, c) ? 1 : 0;
    PutLe16(frame, 8, GainWord(record.Gain(kInputSide, c)));
    for (int j = 1; j < record.Inputs(); ++j) PutLe16(frame, 8 + 2 * j, kGainFloor);
    return Sealed(frame);
  }
  frame[5] = kWholeSide;
  for (int j = 0; j < record.Outputs(); ++j) {
    if (record.Mute(kOutputSide, j)) frame[6] |= ChannelBit(j);
    PutLe16(frame, 8 + 2 * j, GainWord(record.Gain(kOutputSide, j)));
  }
  return Sealed(frame);
}

std::optional<Bytes> Limiter(const DeviceRecord& record, WriteId id, const Configuration& config) {
  if (!IsOutputWrite(id)) return std::nullopt;
  const int c = id.Channel();
  Bytes frame = Blank(12, command::kLimiterWrite, record);
  frame[5] = kWholeSide;
  frame[6] = record.LimitEnable(c) ? 1 : 0;
  frame[7] = ChannelBit(c);
  frame[8] = Low8(config.limit_offset + 200u + static_cast<std::uint32_t>(record.LimitStartGate(c)));
  frame[9] = Low8(record.LimitReleaseTime(c));
  return Sealed(frame);
}

std::optional<Bytes> NoiseGate(const DeviceRecord& record, WriteId id, const Configuration& config) {
  if (IsOutputWrite(id)) return std::nullopt;
  const int c = id.Channel();
  const std::uint32_t base = config.noisegate_offset + 200u;
  Bytes frame = Blank(11, command::kNoiseGateWrite, record);
  frame[5] = record.NoiseGateEnable(c) ? 1 : 0;
  frame[6] = Low8(c);
  frame[7] = Low8(base + static_cast<std::uint32_t>(record.NoiseGateStartGate(c)));
  frame[8] = Low8(base + static_cast<std::uint32_t>(record.NoiseGateReleaseGate(c)));
  frame[9] = kNoiseGateTail;
  return Sealed(frame);
}

std::optional<Bytes> Polarity(const DeviceRecord& record, WriteId id, const Configuration&) {
  Bytes frame = Blank(16, command::kPolarityWrite, record);
  const int c = id.Channel();
  if (!IsOutputWrite(id)) {
    const bool inverted = record.Polarity(kInputSide, c);
    frame[5] = inverted ? 1 : 0;
    frame[6] = Low8(c);
    frame[7] = inverted ? kInverted : 0;
    return Sealed(frame);
  }
  frame[6] = kWholeSide;
  for (int j = 0; j < record.Outputs(); ++j) {
    const bool inverted = record.Polarity(kOutputSide, j);
    if (inverted) frame[5] |= ChannelBit(j);
    frame[7 + j] = inverted ? kInverted : 0;
  }
  return Sealed(frame);
}

std::optional<Bytes> MatrixRow(const DeviceRecord& record, WriteId id, const Configuration&) {
  const int in = id.Input();
  if (in >= record.Inputs()) return std::nullopt;
  Bytes frame = Blank(27, command::kGainWrite, record);
  frame[5] = Low8(in);
  frame[7] = kMatrixMarker;
  frame[24] = kGainFrameTail;
  for (int j = 0; j < record.Outputs(); ++j) {
    if (record.RouterEnable(in, j)) {
      frame[8 + 2 * j] = Low8(record.Router(in, j));
    } else {
      frame[6] |= ChannelBit(j);  // the processor takes a set bit as "cell off"
    }
  }
  return Sealed(frame);
}

}  // namespace dsp::encode
