#pragma once

// Decoding of the parameter writes (kind 0xF3: equaliser band, gain and mute,
// matrix row, delay, noise gate, polarity, high and low pass, limiter,
// compressor) into the processor's parameter set.

#include "link/bytes.h"
#include "sim/sim_parameters.h"

namespace dsp {

struct ChannelCounts {
  int inputs = 8;
  int outputs = 8;
};

// Applies one write frame (already checked for header, length and checksum).
// Returns false, changing nothing, when the frame is not a parameter write
// the processor takes: unknown command, wrong length, or a channel, band or
// output mask that this processor does not have.
bool ApplyParameterWrite(ByteView frame, ChannelCounts counts, SimParameters& params);

}  // namespace dsp
