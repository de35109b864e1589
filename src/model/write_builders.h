#pragma once

// Turns a scheduled parameter write into its frame. The record is the last
// one in the list with the identifier's address; its values at the moment of
// the call go into the frame, sealed with its checksum and ready for
// FrameLink::Send. Nothing is returned when no record has the address or the
// kind does not serve the identifier's side or index:
//   compressor, limiter and filter frames are built for outputs only, the
//   noise gate for inputs only, a filter only for index 0 (high pass) or
//   1 (low pass), a matrix row only for an input below the input count.

#include <optional>

#include "link/bytes.h"
#include "model/configuration.h"
#include "model/device_list.h"
#include "model/write_id.h"

namespace dsp {

// Any kind, chosen by the identifier's low byte. Unknown kinds (and the
// rename, whose frame is a discovery command) give nothing.
std::optional<Bytes> BuildWrite(WriteId id, const DeviceList& devices, const Configuration& config);

// The same for a record already at hand (writing a whole record back): the
// identifier's address bits are not consulted, the record's address is sent.
std::optional<Bytes> BuildWrite(WriteId id, const DeviceRecord& record, const Configuration& config);

}  // namespace dsp
