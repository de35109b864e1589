#include "controls/graph_geometry.h"

#include <cmath>

namespace dsp {
namespace {

// The character count of "-12", the widest gain label.
constexpr int kGainLabelChars = 3;

}  // namespace

PixelRect PlotRectFor(const PixelRect& control, int char_width, int text_height) {
  return {control.left + char_width / 2 + (kGainLabelChars * char_width * 3) / 2,
          control.top + text_height / 2 + text_height, control.right - (kGainLabelChars * char_width) / 2,
          control.bottom - text_height};
}

FrequencyAxis::FrequencyAxis(int width)
    : width_(width),
      pixels_per_decade_(width / (std::log10(kGraphHighestHz) - std::log10(kGraphLowestHz))) {}

double FrequencyAxis::X(double hz) const {
  return pixels_per_decade_ * (std::log10(hz) - std::log10(kGraphLowestHz));
}

double FrequencyAxis::Frequency(double x) const {
  return std::pow(10.0, std::log10(kGraphLowestHz) + x / pixels_per_decade_);
}

double LevelPixels(double db, int height) { return height * db / kGraphSpanDb; }

double GainY(const PixelRect& plot, double db) {
  return plot.top + plot.Height() / 2 - LevelPixels(db, plot.Height());
}

}  // namespace dsp
