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

std::optional<Bytes> BuildKind(WriteKind kind, WriteId id, const DeviceList& devices, const Configuration& config) {
  if (id.Kind() != kind) return std::nullopt;
  return BuildWrite(id, devices, config);
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

std::optional<Bytes> BuildDelayWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  return BuildKind(kWriteDelay, id, devices, config);
}
std::optional<Bytes> BuildCompressorWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  return BuildKind(kWriteCompressor, id, devices, config);
}
std::optional<Bytes> BuildEqBandWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  return BuildKind(kWriteEqBand, id, devices, config);
}
std::optional<Bytes> BuildPinkNoiseWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  return BuildKind(kWritePinkNoise, id, devices, config);
}
std::optional<Bytes> BuildFilterWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  return BuildKind(kWriteFilter, id, devices, config);
}
std::optional<Bytes> BuildGainMuteWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  return BuildKind(kWriteGainMute, id, devices, config);
}
std::optional<Bytes> BuildLimiterWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  return BuildKind(kWriteLimiter, id, devices, config);
}
std::optional<Bytes> BuildNoiseGateWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  return BuildKind(kWriteNoiseGate, id, devices, config);
}
std::optional<Bytes> BuildPolarityWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  return BuildKind(kWritePolarity, id, devices, config);
}
std::optional<Bytes> BuildMatrixRowWrite(WriteId id, const DeviceList& devices, const Configuration& config) {
  return BuildKind(kWriteMatrixRow, id, devices, config);
}

}  // namespace dsp
