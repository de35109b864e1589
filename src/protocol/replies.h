#pragma once

// Readers of the processor's answers to the read-all requests. Each reader
// first applies the acceptance check of its command (command byte and exact
// or minimum length) and, when it passes, stores the fields into the record.
// A reply does not name its side: the caller knows it from its request.

#include "link/bytes.h"
#include "model/configuration.h"
#include "model/device_record.h"

namespace dsp {

bool StoreDelayReply(ByteView reply, int side, DeviceRecord& record);
bool StorePresetNameReply(ByteView reply, int preset, DeviceRecord& record);
bool StoreEqReply(ByteView reply, int side, int first_band, DeviceRecord& record);
bool StoreNoiseGateReply(ByteView reply, DeviceRecord& record, const Configuration& config);
bool StoreInputGainReply(ByteView reply, DeviceRecord& record);
bool StoreFilterReply(ByteView reply, int filter, DeviceRecord& record);
bool StoreCompressorReply(ByteView reply, DeviceRecord& record, const Configuration& config);
bool StoreLimiterReply(ByteView reply, DeviceRecord& record, const Configuration& config);
bool StoreOutputGainsReply(ByteView reply, DeviceRecord& record);
bool StorePolarityReply(ByteView reply, int side, DeviceRecord& record);
bool StoreMatrixRowReply(ByteView reply, DeviceRecord& record);

}  // namespace dsp
