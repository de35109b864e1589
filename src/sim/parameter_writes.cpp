#include "sim/parameter_writes.h"

#include "sim/filter_shape.h"
#include "sim/sim_commands.h"

namespace dsp {
namespace {

std::uint16_t U16(ByteView f, std::size_t at) { return static_cast<std::uint16_t>(f[at] | (f[at + 1] << 8)); }
bool Bit(std::uint8_t bits, int j) { return (bits >> j) & 1; }

// Outputs named by a one-bit-per-output mask; several bits edit several
// outputs at once.
template <typename Apply>
bool ForMaskedOutputs(std::uint8_t mask, ChannelCounts counts, Apply apply) {
  bool any = false;
  for (int j = 0; j < counts.outputs; ++j) {
    if (Bit(mask, j)) {
      apply(j);
      any = true;
    }
  }
  return any;
}

bool ApplyDelay(ByteView f, ChannelCounts counts, SimParameters& p) {
  if (f.size() != 24) return false;
  if (f[5] == sim_cmd::kAllOutputs) {
    for (int j = 0; j < counts.outputs; ++j) {
      p.outputs[j].delay_on = Bit(f[6], j);
      p.outputs[j].delay = U16(f, 7 + 2 * j);
    }
    return true;
  }
  const int c = f[5];
  if (c >= counts.inputs) return false;
  p.inputs[c].delay_on = f[6] != 0;
  p.inputs[c].delay = U16(f, 7);
  return true;
}

bool ApplyMatrixRow(ByteView f, ChannelCounts counts, SimParameters& p) {
  const int i = f[5];
  if (i >= counts.inputs) return false;
  SimMatrixRow& row = p.matrix[i];
  // Cells of outputs the processor does not have stay off.
  row.off_bits = static_cast<std::uint8_t>(f[6] | (0xFF << counts.outputs));
  for (int j = 0; j < counts.outputs; ++j) row.level[j] = U16(f, 8 + 2 * j);
  return true;
}

bool ApplyGainMute(ByteView f, ChannelCounts counts, SimParameters& p) {
  if (f.size() != 27) return false;
  if (f[7] == sim_cmd::kMatrixRowFlag) return ApplyMatrixRow(f, counts, p);
  if (f[7] != 1) return false;
  if (f[5] == sim_cmd::kAllOutputs) {
    for (int j = 0; j < counts.outputs; ++j) {
      p.outputs[j].mute = Bit(f[6], j);
      p.outputs[j].gain_raw = U16(f, 8 + 2 * j);
    }
    return true;
  }
  const int c = f[5];
  if (c >= counts.inputs) return false;
  p.inputs[c].mute = f[6] != 0;
  p.inputs[c].gain_raw = U16(f, 8);  // the other slots carry nothing for this input
  return true;
}

constexpr std::uint8_t kOutputEqTarget = 0x15;

bool ApplyEqBand(ByteView f, ChannelCounts counts, SimParameters& p) {
  if (f.size() != 18 || f[6] >= kSimBandSlots) return false;
  const SimBand band{f[7] != 0, U16(f, 8), U16(f, 10), U16(f, 12), f[16]};
  const int b = f[6];
  if (f[5] == kOutputEqTarget) {
    return ForMaskedOutputs(f[14], counts, [&](int j) { p.outputs[j].bands[b] = band; });
  }
  // Inputs are addressed as 2c + 1.
  if (f[5] % 2 == 0 || (f[5] - 1) / 2 >= counts.inputs) return false;
  p.inputs[(f[5] - 1) / 2].bands[b] = band;
  return true;
}

bool ApplyNoiseGate(ByteView f, ChannelCounts counts, SimParameters& p) {
  if (f.size() != 11 || f[6] >= counts.inputs) return false;
  p.gates[f[6]] = SimNoiseGate{f[5] != 0, f[7], f[8]};
  return true;
}

bool ApplyPolarity(ByteView f, ChannelCounts counts, SimParameters& p) {
  if (f.size() != 16) return false;
  if (f[6] == sim_cmd::kAllOutputs) {
    for (int j = 0; j < counts.outputs; ++j) p.outputs[j].polarity_inverted = Bit(f[5], j);
    return true;
  }
  if (f[6] >= counts.inputs) return false;
  p.inputs[f[6]].polarity_inverted = f[5] != 0;
  return true;
}

bool ApplyFilter(ByteView f, ChannelCounts counts, SimParameters& p) {
  if (f.size() != 12 || f[7] >= counts.outputs) return false;
  const bool high_pass = f[4] == sim_cmd::kWriteHighPass;
  const bool on = f[5] != 0;
  const FilterShape shape = DecodeWrittenShape(f[8], high_pass, on);
  p.filters[f[7]][high_pass ? 0 : 1] = SimFilter{on, shape.type, shape.slope, U16(f, 9)};
  return true;
}

bool ApplyLimiter(ByteView f, ChannelCounts counts, SimParameters& p) {
  if (f.size() != 12) return false;
  // The threshold byte carries 200 + threshold; it is kept as the signed byte
  // that the limiter read returns.
  const SimLimiter limiter{f[6] != 0, static_cast<std::int8_t>(static_cast<std::uint8_t>(f[8] - 200)), f[9]};
  return ForMaskedOutputs(f[7], counts, [&](int j) { p.limiters[j] = limiter; });
}

bool ApplyCompressor(ByteView f, ChannelCounts counts, SimParameters& p) {
  if (f.size() != 18) return false;
  const SimCompressor compressor{f[6] != 0, U16(f, 8), U16(f, 10), U16(f, 12), U16(f, 14)};
  return ForMaskedOutputs(f[7], counts, [&](int j) { p.compressors[j] = compressor; });
}

}  // namespace

bool ApplyParameterWrite(ByteView frame, ChannelCounts counts, SimParameters& params) {
  if (frame.size() < 6) return false;
  switch (frame[4]) {
    case sim_cmd::kWriteDelay:
      return ApplyDelay(frame, counts, params);
    case sim_cmd::kWriteGainMute:
      return ApplyGainMute(frame, counts, params);
    case sim_cmd::kWriteEqBand:
      return ApplyEqBand(frame, counts, params);
    case sim_cmd::kWriteNoiseGate:
      return ApplyNoiseGate(frame, counts, params);
    case sim_cmd::kWritePolarity:
      return ApplyPolarity(frame, counts, params);
    case sim_cmd::kWriteHighPass:
    case sim_cmd::kWriteLowPass:
      return ApplyFilter(frame, counts, params);
    case sim_cmd::kWriteLimiter:
      return ApplyLimiter(frame, counts, params);
    case sim_cmd::kWriteCompressor:
      return ApplyCompressor(frame, counts, params);
    default:
      return false;
  }
}

}  // namespace dsp
