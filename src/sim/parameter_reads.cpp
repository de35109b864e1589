#include "sim/parameter_reads.h"

#include <algorithm>
#include <cmath>

#include "link/frame.h"
#include "sim/filter_shape.h"
#include "sim/sim_commands.h"

namespace dsp {
namespace {

void PutU16(Bytes& f, std::size_t at, std::uint16_t value) {
  f[at] = static_cast<std::uint8_t>(value);
  f[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

Bytes Reply(ByteView request, std::size_t length) {
  return BlankFrame(length, kKindReply, request[kOffsetAddress], request[kOffsetCommand]);
}

Bytes Sealed(Bytes frame) {
  SealFrame(frame);
  return frame;
}

// The gain raw (tenths of a dB + 2000) in the 8-bit format: 100 + steps of 0.64 dB.
std::uint8_t GainByte(std::uint16_t raw) {
  const double steps = (static_cast<int>(raw) - kGainRawZeroDb) * 10 / 64.0;
  return static_cast<std::uint8_t>(std::clamp(100 + static_cast<int>(std::lround(steps)), 0, 255));
}

// A matrix send in percent as a gain raw; a silent send is -64.0 dB.
std::uint16_t SendAsGainRaw(std::uint16_t percent) {
  if (percent == 0) return kGainRawZeroDb - 640;
  const long tenths = std::lround(200 * std::log10(percent / 100.0));
  return static_cast<std::uint16_t>(std::max<long>(kGainRawZeroDb + tenths, kGainRawZeroDb - 640));
}

Bytes Delay(ByteView r, const SimChannel& ch) {
  Bytes f = Reply(r, 10);
  f[5] = r[5];
  f[6] = ch.delay_on;
  PutU16(f, 7, ch.delay);
  return Sealed(f);
}

Bytes Equaliser(ByteView r, const SimChannel& ch) {
  Bytes f = Reply(r, 166);
  for (int rec = 0; rec < 16; ++rec) {
    const int band = r[7] + rec;
    const std::size_t at = 5 + 10 * rec;
    f[at] = r[5];
    f[at + 1] = static_cast<std::uint8_t>(band);
    if (band >= kSimBandSlots) continue;
    const SimBand& b = ch.bands[band];
    f[at + 2] = b.on;
    PutU16(f, at + 3, b.gain_raw);
    PutU16(f, at + 5, b.frequency);
    PutU16(f, at + 7, b.q);
    f[at + 9] = b.type;
  }
  return Sealed(f);
}

Bytes NoiseGate(ByteView r, const SimNoiseGate& gate) {
  Bytes f = Reply(r, 10);
  f[5] = r[5];
  f[6] = gate.on;
  f[7] = gate.start_raw;
  f[8] = gate.release_raw;
  return Sealed(f);
}

Bytes InputGain(ByteView r, const SimChannel& ch, ReadFormats formats) {
  Bytes f = Reply(r, 11);
  f[5] = r[5];
  f[6] = ch.mute;
  if (formats.other_formats) {
    f[8] = GainByte(ch.gain_raw);
  } else {
    f[7] = 1;
    PutU16(f, 8, ch.gain_raw);
  }
  return Sealed(f);
}

Bytes Filter(ByteView r, const SimFilter& filter, bool high_pass) {
  Bytes f = Reply(r, 12);
  f[5] = r[7];
  f[6] = r[5];
  f[7] = filter.on;
  f[8] = EncodeReadShape({filter.type, filter.slope}, high_pass);
  PutU16(f, 9, filter.frequency);
  return Sealed(f);
}

Bytes Compressor(ByteView r, const SimCompressor& c) {
  Bytes f = Reply(r, 17);
  f[5] = r[5];
  f[6] = c.on;
  PutU16(f, 7, c.attack);
  PutU16(f, 9, c.release);
  PutU16(f, 11, c.threshold_raw);
  PutU16(f, 13, c.ratio_raw);
  return Sealed(f);
}

Bytes Limiter(ByteView r, const SimLimiter& l) {
  Bytes f = Reply(r, 11);
  f[5] = r[5];
  f[6] = l.on;
  f[7] = static_cast<std::uint8_t>(l.threshold);
  PutU16(f, 8, l.release);
  return Sealed(f);
}

Bytes OutputGains(ByteView r, ChannelCounts counts, const SimParameters& p, ReadFormats formats) {
  Bytes f = Reply(r, 25);
  f[5] = sim_cmd::kAllOutputs;
  for (int j = 0; j < counts.outputs; ++j) f[6] |= static_cast<std::uint8_t>(p.outputs[j].mute << j);
  f[7] = formats.other_formats ? 0 : 1;
  for (int j = 0; j < kSimMaxChannels; ++j) {
    const std::uint16_t raw = p.outputs[j].gain_raw;
    PutU16(f, 8 + 2 * j, formats.other_formats ? GainByte(raw) : raw);
  }
  return Sealed(f);
}

Bytes Polarity(ByteView r, const SimChannel& ch) {
  Bytes f = Reply(r, 9);
  f[5] = r[5];
  f[7] = ch.polarity_inverted;
  return Sealed(f);
}

Bytes MatrixRow(ByteView r, const SimMatrixRow& row, ReadFormats formats) {
  Bytes f = Reply(r, 25);
  f[5] = r[5];
  f[6] = row.off_bits;
  f[7] = formats.other_formats ? 1 : 0;
  for (int j = 0; j < kSimMaxChannels; ++j) {
    PutU16(f, 8 + 2 * j, formats.other_formats ? SendAsGainRaw(row.level[j]) : row.level[j]);
  }
  return Sealed(f);
}

// Requests that name one channel in byte 5 are 8 bytes long.
std::optional<Bytes> PerChannel(ByteView r, int channel_count, auto answer) {
  if (r.size() != 8 || r[5] >= channel_count) return std::nullopt;
  return answer(r[5]);
}

}  // namespace

std::optional<Bytes> AnswerParameterRead(ByteView r, ChannelCounts counts, const SimParameters& p,
                                         ReadFormats formats) {
  if (r.size() < kMinFrameLength) return std::nullopt;
  const int in = counts.inputs;
  const int out = counts.outputs;
  switch (r[4]) {
    case sim_cmd::kReadInputDelay:
      return PerChannel(r, in, [&](int c) { return Delay(r, p.inputs[c]); });
    case sim_cmd::kReadOutputDelay:
      return PerChannel(r, out, [&](int c) { return Delay(r, p.outputs[c]); });
    case sim_cmd::kReadNoiseGate:
      return PerChannel(r, in, [&](int c) { return NoiseGate(r, p.gates[c]); });
    case sim_cmd::kReadInputGain:
      return PerChannel(r, in, [&](int c) { return InputGain(r, p.inputs[c], formats); });
    case sim_cmd::kReadCompressor:
      return PerChannel(r, out, [&](int c) { return Compressor(r, p.compressors[c]); });
    case sim_cmd::kReadLimiter:
      return PerChannel(r, out, [&](int c) { return Limiter(r, p.limiters[c]); });
    case sim_cmd::kReadInputPolarity:
      return PerChannel(r, in, [&](int c) { return Polarity(r, p.inputs[c]); });
    case sim_cmd::kReadOutputPolarity:
      return PerChannel(r, out, [&](int c) { return Polarity(r, p.outputs[c]); });
    case sim_cmd::kReadMatrixRow:
      return PerChannel(r, in, [&](int c) { return MatrixRow(r, p.matrix[c], formats); });
    case sim_cmd::kReadInputEq:
      if (r.size() != 10 || r[5] >= in) return std::nullopt;
      return Equaliser(r, p.inputs[r[5]]);
    case sim_cmd::kReadOutputEq:
      if (r.size() != 10 || r[5] >= out) return std::nullopt;
      return Equaliser(r, p.outputs[r[5]]);
    case sim_cmd::kReadOutputFilter:
      if (r.size() != 9 || r[5] >= out || r[7] > 1) return std::nullopt;
      return Filter(r, p.filters[r[5]][r[7]], r[7] == 0);
    case sim_cmd::kReadOutputGains:
      if (r.size() != 6) return std::nullopt;
      return OutputGains(r, counts, p, formats);
    default:
      return std::nullopt;
  }
}

}  // namespace dsp
