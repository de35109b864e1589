#pragma once

namespace dsp {

class Window;

// What the program does to the main window for a selected processor with
// this many inputs and outputs: strips, rows, delay rows, matrix cells and
// level meters beyond the counts are hidden, the fillers keep the rest in
// place, and channel A is marked as the current channel of both sides.
void FitPreviewChannels(Window& window, int inputs, int outputs);

// Adds `count` device nodes to the device tree from the style attributes
// of its root node, named and filled the way a bus scan fills them.
void AddPreviewDevices(Window& window, int count, bool chinese);

}  // namespace dsp
