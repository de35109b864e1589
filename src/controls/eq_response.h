#pragma once

// The summed response the equaliser graph draws: every band's corrected
// shape plus the high-pass and low-pass filters, one value per pixel column
// of the plot, and the curve's points in window pixels.

#include <array>
#include <span>
#include <vector>

#include "controls/eq_band_shape.h"
#include "controls/graph_geometry.h"

namespace dsp {

inline constexpr int kGraphBands = 31;

struct EqResponse {
  std::vector<float> total;     // pixels above the 0 dB line, per column
  std::vector<float> selected;  // the selected band's own share; empty when none is selected
};

// All 31 bands count, whatever the number of handles shown. The filters
// draw as a high-pass and a low-pass band of their corner, Q and on flag.
// `selected_band` is -1 when no band is selected.
EqResponse ComputeResponse(std::span<const EqShapeBand, kGraphBands> bands, const EqShapeBand& high_pass,
                           const EqShapeBand& low_pass, int selected_band, const PixelRect& plot);

// One point per column: (plot.left + x, the level's row kept inside the plot).
std::vector<PixelPoint> CurvePoints(const std::vector<float>& total, const PixelRect& plot);

// The points a line needs to stay within `tolerance` pixels of the line
// through all of them (the first and last always stay). A curve sampled
// once per column is mostly gentle, so a few hundred points draw it.
std::vector<PixelPoint> SimplifiedCurve(const std::vector<PixelPoint>& points, double tolerance);

// The line moved `distance` pixels to its left (negative: right), along
// the normal at each point.
std::vector<PixelPoint> OffsetCurve(const std::vector<PixelPoint>& points, double distance);

}  // namespace dsp
