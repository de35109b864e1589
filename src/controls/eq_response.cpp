#include "controls/eq_response.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace dsp {
namespace {

// How far points lie from the line through `from` and `to`.
class Chord {
 public:
  Chord(const PixelPoint& from, const PixelPoint& to)
      : from_(from), dx_(to.x - from.x), dy_(to.y - from.y), length_(std::hypot(dx_, dy_)) {}
  double DistanceOf(const PixelPoint& point) const {
    if (length_ == 0) return std::hypot(point.x - from_.x, point.y - from_.y);
    return std::abs(dy_ * (point.x - from_.x) - dx_ * (point.y - from_.y)) / length_;
  }

 private:
  PixelPoint from_;
  double dx_;
  double dy_;
  double length_;
};

void AddBand(const EqShapeBand& band, const FrequencyAxis& axis, int height, std::vector<float>& scratch,
             std::vector<float>& total) {
  SampleBand(band, axis, height, scratch);
  for (std::size_t x = 0; x < total.size(); ++x) total[x] += scratch[x];
}

}  // namespace

EqResponse ComputeResponse(std::span<const EqShapeBand, kGraphBands> bands, const EqShapeBand& high_pass,
                           const EqShapeBand& low_pass, int selected_band, const PixelRect& plot) {
  EqResponse response;
  if (plot.Width() < 1 || plot.Height() < 1) return response;
  const auto width = static_cast<std::size_t>(plot.Width());
  const FrequencyAxis axis(plot.Width());
  response.total.assign(width, 0.0f);
  std::vector<float> scratch(width);
  for (int band = 0; band < kGraphBands; ++band) {
    AddBand(bands[static_cast<std::size_t>(band)], axis, plot.Height(), scratch, response.total);
    if (band == selected_band) response.selected = scratch;
  }
  EqShapeBand filter = high_pass;
  filter.type = eq_shape::kHighPass;
  AddBand(filter, axis, plot.Height(), scratch, response.total);
  filter = low_pass;
  filter.type = eq_shape::kLowPass;
  AddBand(filter, axis, plot.Height(), scratch, response.total);
  return response;
}

std::vector<PixelPoint> CurvePoints(const std::vector<float>& total, const PixelRect& plot) {
  std::vector<PixelPoint> points;
  points.reserve(total.size());
  const double middle = plot.top + plot.Height() / 2;
  for (std::size_t x = 0; x < total.size(); ++x) {
    const double y = std::clamp(middle - total[x], static_cast<double>(plot.top), static_cast<double>(plot.bottom));
    points.push_back({plot.left + static_cast<double>(x), y});
  }
  return points;
}

// Splits each stretch at its point farthest from the stretch's chord until
// every point is within the tolerance of a chord.
std::vector<PixelPoint> SimplifiedCurve(const std::vector<PixelPoint>& points, double tolerance) {
  if (points.size() < 3) return points;
  std::vector<bool> keep(points.size(), false);
  keep.front() = keep.back() = true;
  std::vector<std::pair<std::size_t, std::size_t>> stretches{{0, points.size() - 1}};
  while (!stretches.empty()) {
    const auto [first, last] = stretches.back();
    stretches.pop_back();
    const Chord chord(points[first], points[last]);
    double farthest = 0;
    std::size_t at = first;
    for (std::size_t i = first + 1; i < last; ++i) {
      const double distance = chord.DistanceOf(points[i]);
      if (distance > farthest) {
        farthest = distance;
        at = i;
      }
    }
    if (farthest <= tolerance) continue;
    keep[at] = true;
    stretches.push_back({first, at});
    stretches.push_back({at, last});
  }
  std::vector<PixelPoint> kept;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (keep[i]) kept.push_back(points[i]);
  }
  return kept;
}

std::vector<PixelPoint> OffsetCurve(const std::vector<PixelPoint>& points, double distance) {
  std::vector<PixelPoint> moved;
  moved.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PixelPoint& before = points[i == 0 ? 0 : i - 1];
    const PixelPoint& after = points[std::min(i + 1, points.size() - 1)];
    const double dx = after.x - before.x;
    const double dy = after.y - before.y;
    const double length = std::hypot(dx, dy);
    const double nx = length == 0 ? 0 : dy / length;
    const double ny = length == 0 ? -1 : -dx / length;
    moved.push_back({points[i].x + nx * distance, points[i].y + ny * distance});
  }
  return moved;
}

}  // namespace dsp
