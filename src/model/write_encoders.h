#pragma once

// One encoder per write kind: the frame built from a record's current values.
// Used through write_builders.h, which finds the record and picks the encoder.
// Each returns nothing when the identifier names a side or index its frame
// does not serve.

#include <optional>

#include "link/bytes.h"
#include "model/configuration.h"
#include "model/device_record.h"
#include "model/write_id.h"

namespace dsp::encode {

std::optional<Bytes> Delay(const DeviceRecord& record, WriteId id, const Configuration& config);
std::optional<Bytes> Compressor(const DeviceRecord& record, WriteId id, const Configuration& config);
std::optional<Bytes> EqBand(const DeviceRecord& record, WriteId id, const Configuration& config);
std::optional<Bytes> PinkNoise(const DeviceRecord& record, WriteId id, const Configuration& config);
std::optional<Bytes> Filter(const DeviceRecord& record, WriteId id, const Configuration& config);
std::optional<Bytes> GainMute(const DeviceRecord& record, WriteId id, const Configuration& config);
std::optional<Bytes> Limiter(const DeviceRecord& record, WriteId id, const Configuration& config);
std::optional<Bytes> NoiseGate(const DeviceRecord& record, WriteId id, const Configuration& config);
std::optional<Bytes> Polarity(const DeviceRecord& record, WriteId id, const Configuration& config);
std::optional<Bytes> MatrixRow(const DeviceRecord& record, WriteId id, const Configuration& config);

}  // namespace dsp::encode
