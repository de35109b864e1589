#include "model/write_builders.h"

#include "model/write_encoders.h"

namespace dsp {
namespace {

using Encoder = std::optional<Bytes> (*)(const DeviceRecord&, WriteId, const Configuration&);

Encoder EncoderFor(std::uint8_t kind) {
  switch (kind) {
    case kWriteDelay: return encode::Delay;
    case kWriteCompressor: return encode::Compressor;
    case kWriteEqBand: return encode::EqBand;
    case kWritePinkNoise: return encode::PinkNoise;
    case kWriteFilter: return encode::Filter;
    case kWriteGainMute: return encode::GainMute;
    case kWriteLimiter: return encode::Limiter;
    case kWriteNoiseGate: return encode::NoiseGate;
    case kWritePolarity: return encode::Polarity;
    case kWriteMatrixRow: return encode::MatrixRow;
    default: return nullptr;
  }
}

}  // namespace

std::optional<Bytes> BuildWrite(WriteId id, const DeviceRecord& record, const Configuration& config) {
  const Encoder encoder = EncoderFor(id.Kind());
  if (!encoder) return std::nullopt;
  return encoder(record, id, config);
}

std::optional<Bytes> BuildWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  const DeviceRecord* record = FindDeviceForWrite(devices, id.Address());
  if (!record) return std::nullopt;
  return BuildWrite(id, *record, config);
}

}  // namespace dsp
