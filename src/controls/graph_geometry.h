#pragma once

// Where things sit on the equaliser graph: the plot rectangle inside the
// control (margins sized by the scale font), the logarithmic frequency axis
// from 10 Hz to 30 kHz and the linear gain axis from -14 dB (bottom) to
// +14 dB (top). Plain numbers, no toolkit: the control paints with them and
// the tests check them.

#include "controls/pixel_rect.h"

namespace dsp {

struct PixelPoint {
  double x = 0;
  double y = 0;
};

inline constexpr double kGraphLowestHz = 10;
inline constexpr double kGraphHighestHz = 30000;
inline constexpr double kGraphSpanDb = 28;  // -14 dB .. +14 dB

// The plot inside the control rectangle `control`, for a scale font whose
// average character is `char_width` wide and whose lines are `text_height`
// high: room for the gain labels at the left ("-12" and a half character),
// for the frequency labels below and a line and a half above.
PixelRect PlotRectFor(const PixelRect& control, int char_width, int text_height);

// The frequency axis of a plot `width` pixels wide: 10 Hz at 0, 30 kHz at
// `width`.
class FrequencyAxis {
 public:
  explicit FrequencyAxis(int width);

  int Width() const { return width_; }
  // Pixels from the plot's left edge.
  double X(double hz) const;
  double Frequency(double x) const;

 private:
  int width_;
  double pixels_per_decade_;
};

// Pixels above the plot's middle for `db` on a plot `height` pixels high
// (negative below it).
double LevelPixels(double db, int height);
// The window row of `db`; the middle is top + height / 2 (whole pixels).
double GainY(const PixelRect& plot, double db);

}  // namespace dsp
