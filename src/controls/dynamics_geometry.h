#pragma once

// Pixels of the controls the program draws (the dynamics curve and the
// knob), as plain numbers: their geometry is computed and tested without Qt.

namespace dsp {

struct CurvePoint {
  int x = 0;
  int y = 0;
  bool operator==(const CurvePoint&) const = default;
};

struct CurveRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(CurvePoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const CurveRect&) const = default;
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
