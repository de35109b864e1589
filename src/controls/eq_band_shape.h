#pragma once

// The shape one equaliser band (or the high-pass or low-pass filter) adds to
// the graph's response. It is a picture, not a filter simulation: seven
// control points set by the band's type, frequency, gain and Q, smoothed by
// a clamped spline and sampled once per pixel column, then made monotonic
// where the type calls for it (a shelf or filter never wobbles back).

#include <optional>
#include <span>
#include <vector>

#include "controls/eq_spline.h"
#include "controls/graph_geometry.h"

namespace dsp {

// Type codes the graph draws.
namespace eq_shape {
inline constexpr int kNone = 0;
inline constexpr int kPeak = 1;
inline constexpr int kHighPass = 2;
inline constexpr int kLowPass = 3;
inline constexpr int kHighPassToo = 4;  // drawn as kHighPass
inline constexpr int kLowPassToo = 5;   // drawn as kLowPass
inline constexpr int kLowShelf = 6;
inline constexpr int kHighShelf = 7;
}  // namespace eq_shape

// Filters draw 30 dB down, whatever the band's gain.
inline constexpr double kFilterDepthDb = -30;

struct EqShapeBand {
  int type = eq_shape::kPeak;
  int frequency = 1000;  // Hz
  int gain = 0;          // hundredths of a dB
  int q = 100;           // hundredths
  bool on = false;
};

bool IsHighPassShape(int type);
bool IsLowPassShape(int type);

// The seven control points of a band on a plot `height` pixels high: x in
// pixels from the plot's left edge, y the level in pixels above the 0 dB
// line. Nothing for type 0. Other unknown codes get the peak's points.
std::optional<std::vector<Knot>> BandControlPoints(const EqShapeBand& band, const FrequencyAxis& axis, int height);

// Fills `levels` (one entry per pixel column of the plot) with the band's
// corrected contribution in pixels; all zero for a band that is off, a high
// pass at exactly 20 Hz or a low pass at exactly 20 kHz.
void SampleBand(const EqShapeBand& band, const FrequencyAxis& axis, int height, std::span<float> levels);

}  // namespace dsp
