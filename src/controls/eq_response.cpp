#include "controls/eq_response.h"

#include <algorithm>

namespace dsp {
namespace {

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

}  // namespace dsp
