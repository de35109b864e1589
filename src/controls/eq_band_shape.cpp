#include "controls/eq_band_shape.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace dsp {
namespace {

using namespace eq_shape;

// Where a control point's x comes from: the band's centre pixel c moved by
// a multiple of the shape's spread s ((1 + k s) c), or an edge of the plot.
enum class Anchor { kCentre, kLeftEdge, kRightEdge };

struct PointRule {
  Anchor anchor;
  float spread;  // k in (1 + k s) c
  float level;   // share of the band's level
};

using ShapeRules = std::array<PointRule, 7>;
constexpr Anchor C = Anchor::kCentre;

constexpr ShapeRules kPeakRules{{{C, -9, 0}, {C, -4, 0.3f}, {C, -1, 0.8f}, {C, 0, 1}, {C, 1, 0.8f}, {C, 4, 0.3f},
                                 {C, 9, 0}}};
constexpr ShapeRules kHighPassRules{{{Anchor::kLeftEdge, 0, 1}, {C, -5, 1}, {C, -4, 1}, {C, -3, 0.9f},
                                     {C, -2, 0.5f}, {C, -1, 0.2f}, {C, 0, 0}}};
constexpr ShapeRules kLowPassRules{{{C, 0, 0}, {C, 1, 0.2f}, {C, 2, 0.5f}, {C, 3, 0.9f}, {C, 4, 1}, {C, 5, 1},
                                    {Anchor::kRightEdge, 0, 1}}};
constexpr ShapeRules kLowShelfRules{{{Anchor::kLeftEdge, 0, 1}, {C, -3, 1}, {C, -2.5f, 1}, {C, -2, 0.9f},
                                     {C, -1.5f, 0.5f}, {C, -1, 0.2f}, {C, 0, 0}}};
constexpr ShapeRules kHighShelfRules{{{C, 0, 0}, {C, 1, 0.2f}, {C, 1.5f, 0.5f}, {C, 2, 0.9f}, {C, 2.5f, 1},
                                      {C, 3, 1}, {Anchor::kRightEdge, 0, 1}}};

const ShapeRules& RulesFor(int type) {
  if (IsHighPassShape(type)) return kHighPassRules;
  if (IsLowPassShape(type)) return kLowPassRules;
  if (type == kLowShelf) return kLowShelfRules;
  if (type == kHighShelf) return kHighShelfRules;
  return kPeakRules;
}

enum class Correction { kNone, kRising, kFalling };

// Shelves and filters keep going the way they go: a running maximum for
// shapes that rise to the right, a running minimum for those that fall.
// Unknown codes are drawn as peaks that cannot come back up.
Correction CorrectionFor(int type, float gain_db) {
  if (type == kNone || type == kPeak) return Correction::kNone;
  if (IsHighPassShape(type)) return Correction::kRising;
  if (type == kLowShelf) return gain_db < 0 ? Correction::kRising : Correction::kFalling;
  if (type == kHighShelf) return gain_db > 0 ? Correction::kRising : Correction::kFalling;
  return Correction::kFalling;
}

void Correct(Correction correction, std::span<float> levels) {
  for (std::size_t x = 1; x < levels.size(); ++x) {
    if (correction == Correction::kRising) levels[x] = std::max(levels[x], levels[x - 1]);
    if (correction == Correction::kFalling) levels[x] = std::min(levels[x], levels[x - 1]);
  }
}

float LevelDb(const EqShapeBand& band) {
  return IsHighPassShape(band.type) || IsLowPassShape(band.type) ? static_cast<float>(kFilterDepthDb)
                                                                   : static_cast<float>(band.gain) / 100.0f;
}

// A filter's corner comes from the host unchecked; a frequency of 0 Hz
// or below has no place on a logarithmic axis.
bool DrawsNothing(const EqShapeBand& band) {
  return !band.on || band.type == kNone || band.frequency <= 0 || (IsHighPassShape(band.type) && band.frequency == 20) ||
         (IsLowPassShape(band.type) && band.frequency == 20000);
}

// Points that lie beyond the plot's edge can come out of order (a high
// shelf near 30 kHz reaches past the right edge its last point is pinned
// to); the spline runs through the points whose x keeps increasing.
std::vector<Knot> IncreasingKnots(const std::vector<Knot>& points) {
  std::vector<Knot> kept;
  for (const Knot& point : points) {
    if (kept.empty() || point.x > kept.back().x) kept.push_back(point);
  }
  return kept;
}

}  // namespace

bool IsHighPassShape(int type) { return type == kHighPass || type == kHighPassToo; }
bool IsLowPassShape(int type) { return type == kLowPass || type == kLowPassToo; }

std::optional<std::vector<Knot>> BandControlPoints(const EqShapeBand& band, const FrequencyAxis& axis, int height) {
  if (band.type == kNone) return std::nullopt;
  const float spread = 0.08f / std::max(static_cast<float>(band.q) / 100.0f, 0.5f);
  const float centre = static_cast<float>(axis.X(band.frequency));
  const float level = LevelDb(band) * static_cast<float>(height) / static_cast<float>(kGraphSpanDb);
  std::vector<Knot> points;
  for (const PointRule& rule : RulesFor(band.type)) {
    float x = 0;
    if (rule.anchor == Anchor::kCentre) x = (1 + rule.spread * spread) * centre;
    if (rule.anchor == Anchor::kRightEdge) x = static_cast<float>(axis.Width());
    points.push_back({x, rule.level * level});
  }
  return points;
}

void SampleBand(const EqShapeBand& band, const FrequencyAxis& axis, int height, std::span<float> levels) {
  std::fill(levels.begin(), levels.end(), 0.0f);
  if (DrawsNothing(band)) return;
  const auto points = BandControlPoints(band, axis, height);
  if (!points) return;
  const auto spline = ClampedSpline::Build(IncreasingKnots(*points));
  if (!spline) return;
  const int width = static_cast<int>(levels.size());
  for (int i = 0; i < spline->Segments(); ++i) {
    const float end = spline->SegmentEnd(i);
    for (int x = std::max(0, static_cast<int>(std::floor(spline->SegmentStart(i)))); x < end && x < width; ++x) {
      levels[static_cast<std::size_t>(x)] = spline->Value(i, static_cast<float>(x));
    }
  }
  Correct(CorrectionFor(band.type, static_cast<float>(band.gain) / 100.0f), levels);
}

}  // namespace dsp
