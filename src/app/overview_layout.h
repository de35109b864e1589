#pragma once

// Fitting the overview and the per-channel panels of the pages to the
// selected processor: the skin lays out eight channels per side, and a
// processor with fewer shows only its own strips, overview rows and matrix
// cells; filler panels ("_hide") take the room of the missing ones.

namespace dsp {

class Window;

void FitOverview(const Window& window, int inputs, int outputs);

// Marks the current channel of each side on the channel headers
// (list_input_k, list_output_k) by their background image.
void MarkChannelHeaders(const Window& window, int input_channel, int output_channel);

}  // namespace dsp
