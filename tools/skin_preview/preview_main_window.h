#pragma once

#include "language/language.h"

namespace dsp {

class Window;

// Fits the main window to a processor with this many inputs and outputs as
// the program does, with channel A current on both sides.
void FitPreviewChannels(Window& window, int inputs, int outputs);

// Adds `count` device nodes to the device tree from the style attributes
// of its root node, named and filled the way a bus scan fills them.
void AddPreviewDevices(Window& window, int count, Language language);

}  // namespace dsp
