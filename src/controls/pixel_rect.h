#pragma once

// A rectangle of a drawn control's pixels, as plain numbers, so the
// controls' geometry is computed and tested without Qt.

namespace dsp {

// Right and bottom are one past the last pixel.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(double x, double y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const PixelRect&) const = default;
};

}  // namespace dsp
