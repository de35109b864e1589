#pragma once

// Readers of the processor's answers to the read-all requests. Each reader
// first applies the acceptance check of its command (command byte and exact
// or minimum length) and, when it passes, stores the fields into the record.
// A reply does not name its side: the caller knows it from its request.

#include "link/bytes.h"
#include "model/configuration.h"
#include "model/device_record.h"

namespace dsp {

// Whether a reply answers this very request as far as the reply can tell:
// the same command, and the channel the reply names (byte 5, byte 6 of a
// filter reply, the first byte of every equaliser band record) is the
// request's. A late answer for another channel fails it. Replies that name
// no channel (preset names, output gains) and the parts a reply does not
// name (which equaliser half, which filter) cannot be told apart here.
bool ReplyNamesRequestedItem(ByteView request, ByteView reply);

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
