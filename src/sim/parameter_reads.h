#pragma once

// Answers to the parameter reads (kind 0xF7: delays, equalisers, noise gate,
// gains and mutes, filters, compressor, limiter, polarity, matrix rows), built
// from the processor's parameter set.

#include <optional>

#include "link/bytes.h"
#include "sim/parameter_writes.h"
#include "sim/sim_parameters.h"

namespace dsp {

// The 0x80, 0xA0 and 0x90 replies each exist in two formats. The processor
// normally answers in the one the host stores (16-bit gain raws; matrix levels
// in percent); `other_formats` selects the alternative (8-bit gains in 0.64 dB
// steps; matrix sends as gain raws, which the host ignores).
struct ReadFormats {
  bool other_formats = false;
};

// The 0xF8 reply to a parameter read; nothing when the request is none of
// them, has the wrong length, or names a channel the processor does not have.
std::optional<Bytes> AnswerParameterRead(ByteView request, ChannelCounts counts, const SimParameters& params,
                                         ReadFormats formats);

}  // namespace dsp
