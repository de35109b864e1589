// The equaliser graph's curve as numbers: the spline, each band's shape and
// the summed response, with no toolkit involved.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "controls/eq_response.h"
#include "model/third_octave.h"
#include "controls/eq_spline.h"

namespace dsp {
namespace {

// 1000 columns, 280 rows: 10 pixels per dB.
const PixelRect kPlot{0, 0, 1000, 280};
constexpr double kPixelsPerDb = 10;

struct Curve {
  std::array<EqShapeBand, kGraphBands> bands{};
  EqShapeBand high_pass{eq_shape::kHighPass, 20, 0, 100, false};
  EqShapeBand low_pass{eq_shape::kLowPass, 20000, 0, 100, false};

  Curve() {
    for (auto& band : bands) band = {eq_shape::kPeak, 1000, 0, 100, false};
  }
  EqResponse Response(int selected = -1, const PixelRect& plot = kPlot) const {
    return ComputeResponse(bands, high_pass, low_pass, selected, plot);
  }
  std::vector<float> Total() const { return Response().total; }
};

bool Flat(const std::vector<float>& total) {
  return std::all_of(total.begin(), total.end(), [](float level) { return level == 0.0f; });
}

TEST(ClampedSplineTest, RefusesTooFewTooManyOrUnorderedKnotsAndPassesThroughTheRest) {
  const std::vector<Knot> two{{0, 0}, {1, 1}};
  EXPECT_FALSE(ClampedSpline::Build(two));
  std::vector<Knot> many;
  for (int i = 0; i < 52; ++i) many.push_back({static_cast<float>(i), 0});
  EXPECT_FALSE(ClampedSpline::Build(many));
  many.pop_back();
  EXPECT_TRUE(ClampedSpline::Build(many)) << "51 knots are allowed";
  const std::vector<Knot> unordered{{0, 0}, {2, 1}, {2, 3}};
  EXPECT_FALSE(ClampedSpline::Build(unordered));

  const std::vector<Knot> knots{{0, 0}, {1, 2}, {3, -1}, {4, 5}};
  const auto spline = ClampedSpline::Build(knots, 0, 0);
  ASSERT_TRUE(spline);
  ASSERT_EQ(spline->Segments(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(spline->Value(i, knots[i].x), knots[i].y, 1e-4);
    EXPECT_NEAR(spline->Value(i, knots[i + 1].x), knots[i + 1].y, 1e-4);
  }
  const float slope_at_start = (spline->Value(0, 0.001f) - spline->Value(0, 0)) / 0.001f;
  EXPECT_NEAR(slope_at_start, 0, 0.05) << "clamped to the given slope";
}

TEST(EqResponseTest, APeakOfTwelveDbReachesItAtItsFrequencyAndNothingOutsideItsSpread) {
  Curve curve;
  curve.bands[0] = {eq_shape::kPeak, 1000, 1200, 100, true};
  const std::vector<float> total = curve.Total();
  const double centre = FrequencyAxis(kPlot.Width()).X(1000);
  EXPECT_NEAR(total[static_cast<std::size_t>(std::lround(centre))] / kPixelsPerDb, 12.0, 0.02);
  for (std::size_t x = 0; x < total.size(); ++x) {
    if (x < 0.28 * centre) {
      EXPECT_NEAR(total[x], 0, 0.01) << x;
    } else if (x > 1.72 * centre) {
      EXPECT_EQ(total[x], 0) << x;
    } else if (x > 0.3 * centre && x < 1.7 * centre) {
      EXPECT_GT(total[x], 0) << x;
    }
  }
}

TEST(EqResponseTest, FiltersAtTheEndsOfTheRangeAndBandsAtTenHertzChangeNothing) {
  struct Row {
    const char* what;
    int high_pass_hz;
    bool high_pass_on;
    int low_pass_hz;
    bool low_pass_on;
    bool flat;
  };
  const Row rows[] = {{"high pass on at 20 Hz", 20, true, 20000, false, true},
                      {"low pass on at 20 kHz", 20, false, 20000, true, true},
                      {"both there", 20, true, 20000, true, true},
                      {"high pass at 21 Hz", 21, true, 20000, false, false},
                      {"low pass at 19999 Hz", 20, false, 19999, true, false},
                      {"high pass at 100 Hz, off", 100, false, 20000, false, true},
                      {"high pass at 0 Hz, from a file with no value", 0, true, 20000, false, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Curve curve;
    curve.high_pass = {eq_shape::kHighPass, row.high_pass_hz, 0, 100, row.high_pass_on};
    curve.low_pass = {eq_shape::kLowPass, row.low_pass_hz, 0, 100, row.low_pass_on};
    EXPECT_EQ(Flat(curve.Total()), row.flat);
  }
  Curve at_ten;
  at_ten.bands[3] = {eq_shape::kPeak, 10, 1200, 100, true};
  EXPECT_TRUE(Flat(at_ten.Total())) << "all its points sit at x = 0";
}

TEST(EqResponseTest, AHighPassFallsToThirtyDbDownBelowItsCornerAndStaysAtZeroAbove) {
  Curve curve;
  curve.high_pass = {eq_shape::kHighPass, 1000, 0, 100, true};
  const std::vector<float> total = curve.Total();
  const auto corner = static_cast<std::size_t>(FrequencyAxis(kPlot.Width()).X(1000));
  EXPECT_NEAR(total[0] / kPixelsPerDb, -30, 0.01);
  for (std::size_t x = 1; x < total.size(); ++x) EXPECT_GE(total[x], total[x - 1]) << "never falls back, at " << x;
  EXPECT_NEAR(total[corner + 2], 0, 0.01);
}

TEST(EqResponseTest, ShelvesHoldTheirGainOnTheirSide) {
  struct Row {
    int type;
    int gain;
    std::size_t hold_column;  // where the shelf holds its full gain
    std::size_t flat_column;
  };
  const Row rows[] = {{eq_shape::kLowShelf, 600, 10, 900}, {eq_shape::kLowShelf, -600, 10, 900},
                      {eq_shape::kHighShelf, 600, 990, 100}, {eq_shape::kHighShelf, -600, 990, 100}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "type " << row.type << " gain " << row.gain);
    Curve curve;
    curve.bands[7] = {row.type, 1000, row.gain, 100, true};
    const std::vector<float> total = curve.Total();
    EXPECT_NEAR(total[row.hold_column] / kPixelsPerDb, row.gain / 100.0, 0.01);
    EXPECT_NEAR(total[row.flat_column], 0, 0.01);
  }
}

TEST(EqResponseTest, AQBelowHalfDrawsAsHalfAndANarrowerQNarrowsThePeak) {
  auto peak = [](int q) {
    Curve curve;
    curve.bands[12] = {eq_shape::kPeak, 500, -900, q, true};
    return curve.Total();
  };
  EXPECT_EQ(peak(10), peak(50));
  EXPECT_EQ(peak(49), peak(50));
  const auto wide = peak(50);
  const auto narrow = peak(400);
  const auto nonzero = [](const std::vector<float>& t) { return std::count_if(t.begin(), t.end(), [](float v) { return v != 0; }); };
  EXPECT_GT(nonzero(wide), 4 * nonzero(narrow) - 8);
}

TEST(EqResponseTest, TheSelectedBandsShareIsKeptAsideAndTheCurveStaysInsideThePlot) {
  Curve curve;
  curve.bands[4] = {eq_shape::kPeak, 200, 1200, 100, true};
  curve.bands[5] = {eq_shape::kPeak, 200, 1200, 100, true};
  const EqResponse response = curve.Response(5);
  ASSERT_EQ(response.selected.size(), response.total.size());
  const auto centre = static_cast<std::size_t>(std::lround(FrequencyAxis(kPlot.Width()).X(200)));
  EXPECT_NEAR(response.selected[centre], response.total[centre] / 2, 0.01);
  EXPECT_TRUE(curve.Response().selected.empty());

  const std::vector<PixelPoint> points = CurvePoints(response.total, kPlot);
  ASSERT_EQ(points.size(), 1000u);
  EXPECT_EQ(points[centre].y, kPlot.top) << "24 dB is clipped at the top";
  EXPECT_EQ(points[0].y, kPlot.top + kPlot.Height() / 2);
  EXPECT_EQ(points[10].x, 10);
}

// How far `point` is from the polyline `line`.
double DistanceFrom(const PixelPoint& point, const std::vector<PixelPoint>& line) {
  double nearest = 1e9;
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    const PixelPoint& a = line[i];
    const PixelPoint& b = line[i + 1];
    const double length2 = (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y);
    const double t = std::clamp(((point.x - a.x) * (b.x - a.x) + (point.y - a.y) * (b.y - a.y)) / length2, 0.0, 1.0);
    nearest = std::min(nearest, std::hypot(point.x - (a.x + t * (b.x - a.x)), point.y - (a.y + t * (b.y - a.y))));
  }
  return nearest;
}

TEST(EqResponseTest, TheDrawnLineKeepsFewPointsButStaysWithinAFifthOfAPixel) {
  Curve curve;
  for (int band = 0; band < kGraphBands; ++band) {
    curve.bands[static_cast<std::size_t>(band)] = {band % 3 == 0 ? eq_shape::kPeak : eq_shape::kLowShelf,
                                                   kThirdOctaveFrequencies[static_cast<std::size_t>(band)],
                                                   (band % 7 - 3) * 300, 70 + band * 20, true};
  }
  curve.high_pass = {eq_shape::kHighPass, 60, 0, 100, true};
  const std::vector<PixelPoint> all = CurvePoints(curve.Total(), kPlot);
  const std::vector<PixelPoint> kept = SimplifiedCurve(all, 0.2);
  EXPECT_LT(kept.size(), all.size() / 3);
  EXPECT_EQ(kept.front().x, all.front().x);
  EXPECT_EQ(kept.back().x, all.back().x);
  for (const PixelPoint& point : all) EXPECT_LE(DistanceFrom(point, kept), 0.2 + 1e-9) << point.x;
  EXPECT_EQ(SimplifiedCurve({{0, 5}, {1, 5}, {2, 5}, {3, 5}}, 0.2).size(), 2u) << "a straight stretch is two points";
}

TEST(EqResponseTest, AnOffsetLineRunsAlongsideAtTheGivenDistance) {
  const std::vector<PixelPoint> flat{{0, 10}, {5, 10}, {10, 10}};
  for (const PixelPoint& point : OffsetCurve(flat, 0.5)) EXPECT_DOUBLE_EQ(point.y, 9.5) << "left of travel is up";
  const std::vector<PixelPoint> falling{{0, 0}, {0, 4}, {0, 8}};
  for (const PixelPoint& point : OffsetCurve(falling, -1)) EXPECT_DOUBLE_EQ(point.x, -1);
}

TEST(EqResponseTest, APlotWithoutWidthOrHeightHasNoCurve) {
  Curve curve;
  curve.bands[0].on = true;
  EXPECT_TRUE(curve.Response(0, {0, 0, 0, 100}).total.empty());
  EXPECT_TRUE(curve.Response(0, {0, 0, 100, 0}).total.empty());
}

TEST(GraphGeometryTest, ThePlotLeavesRoomForTheScalesAndTheAxesSpanIt) {
  EXPECT_EQ(PlotRectFor({0, 0, 800, 300}, 6, 14), (PixelRect{0 + 3 + 27, 0 + 7 + 14, 800 - 9, 300 - 14}));
  const FrequencyAxis axis(1000);
  EXPECT_NEAR(axis.X(10), 0, 1e-9);
  EXPECT_NEAR(axis.X(30000), 1000, 1e-9);
  EXPECT_NEAR(axis.Frequency(axis.X(1234)), 1234, 1e-6);
  EXPECT_EQ(GainY({0, 10, 100, 290}, 14), 10);
  EXPECT_EQ(GainY({0, 10, 100, 290}, -14), 290);
  EXPECT_EQ(GainY({0, 10, 100, 290}, 0), 150);
}

}  // namespace
}  // namespace dsp
