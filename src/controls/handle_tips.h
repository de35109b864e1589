#pragma once

// The value tips of the equaliser graph's selected handle: their lines, and
// where they go so that they cover no other handle (nor the label it
// carries) and stay inside the plot. Plain numbers, no toolkit.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/pixel_rect.h"

namespace dsp {

// The frequency ("%dHz", or "%.3fkHz" from 1 kHz), and for bands the gain
// ("%.1fdB") and Q ("Q:%1.1f").
std::vector<std::string> HandleTips(int frequency, std::optional<std::pair<int, int>> gain_and_q);

struct TipSize {
  int width = 0;
  int height = 0;
};

// Where a block of tips `size` big goes beside the square of the selected
// handle (at rest; it pulses `pulse_max` pixels wider on every side): the
// first place inside `plot` that covers none of `others` (the squares of
// the other handles drawn), tried in this order: below the square for a
// level of 0 dB or more and above it otherwise, then the other of the two,
// then right of it, then left. Above or below, the block is centred on the
// handle; right or left, level with it; either way moved along that side as
// far as the plot needs. When every place inside the plot covers a handle,
// the one covering the fewest.
PixelRect TipBlock(const PixelRect& square, int pulse_max, bool at_or_above_zero, TipSize size,
                   const PixelRect& plot, const std::vector<PixelRect>& others);

// The rows of `lines` tip lines of `text_height` in the block: the first
// line next to the handle, so the lines run upwards in a block above it.
std::vector<PixelRect> TipLines(const PixelRect& block, const PixelRect& square, int lines, int text_height);

}  // namespace dsp
