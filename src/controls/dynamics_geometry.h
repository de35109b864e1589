#pragma once

// Pixels of the controls the program draws (the dynamics curve and the
// knob), as plain numbers: their geometry is computed and tested without Qt.

#include "controls/pixel_rect.h"

namespace dsp {

struct CurvePoint {
  int x = 0;
  int y = 0;
  bool operator==(const CurvePoint&) const = default;
};

struct CurveLine {
  CurvePoint from;
  CurvePoint to;
  bool operator==(const CurveLine&) const = default;
};

// The font the control draws with: average character width and line height
// (with leading), in pixels.
struct TextMetrics {
  int char_width = 0;
  int height = 0;
};

}  // namespace dsp
