#pragma once

// The clamped cubic spline that smooths each band's shape on the
// equaliser graph: through n knots with strictly increasing x (3 to 51 of
// them) and the given slopes at both ends. Single precision throughout, as
// the shapes are pixels.

#include <optional>
#include <span>
#include <vector>

namespace dsp {

struct Knot {
  float x = 0;
  float y = 0;
};

class ClampedSpline {
 public:
  static constexpr int kMinKnots = 3;
  static constexpr int kMaxKnots = 51;

  // Nothing for fewer than 3 or more than 51 knots, or knots whose x do
  // not strictly increase.
  static std::optional<ClampedSpline> Build(std::span<const Knot> knots, float start_slope = 0,
                                            float end_slope = 0);

  int Segments() const { return static_cast<int>(segments_.size()); }
  // The knots segment `i` runs between.
  float SegmentStart(int i) const { return segments_[i].x0; }
  float SegmentEnd(int i) const { return segments_[i].x1; }
  // The cubic of segment `i` at x (also outside its knots).
  float Value(int i, float x) const;

 private:
  struct Segment {
    float x0, x1;
    float a, b, c, d;
  };
  std::vector<Segment> segments_;
};

}  // namespace dsp
