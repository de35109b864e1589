#include "controls/handle_tips.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <tuple>

namespace dsp {
namespace {

bool Overlap(const PixelRect& a, const PixelRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const PixelRect& block, const PixelRect& plot) {
  return block.left >= plot.left && block.right <= plot.right && block.top >= plot.top && block.bottom <= plot.bottom;
}

// The start of a span of `length` moved into low..high, when it fits there.
int Within(int start, int length, int low, int high) { return std::clamp(start, low, std::max(low, high - length)); }

}  // namespace

std::vector<std::string> HandleTips(int frequency, std::optional<std::pair<int, int>> gain_and_q) {
  char text[32];
  if (frequency < 1000) std::snprintf(text, sizeof text, "%dHz", frequency);
  else std::snprintf(text, sizeof text, "%.3fkHz", frequency / 1000.0);
  std::vector<std::string> lines{text};
  if (gain_and_q) {
    std::snprintf(text, sizeof text, "%.1fdB", gain_and_q->first / 100.0);
    lines.emplace_back(text);
    std::snprintf(text, sizeof text, "Q:%1.1f", gain_and_q->second / 100.0);
    lines.emplace_back(text);
  }
  return lines;
}

PixelRect TipBlock(const PixelRect& square, int pulse_max, bool at_or_above_zero, TipSize size,
                   const PixelRect& plot, const std::vector<PixelRect>& others) {
  const PixelRect around{square.left - pulse_max, square.top - pulse_max, square.right + pulse_max,
                         square.bottom + pulse_max};
  const int left = Within((square.left + square.right - size.width) / 2, size.width, plot.left, plot.right);
  const int top = Within((square.top + square.bottom - size.height) / 2, size.height, plot.top, plot.bottom);
  const PixelRect below{left, around.bottom, left + size.width, around.bottom + size.height};
  const PixelRect above{left, around.top - size.height, left + size.width, around.top};
  const PixelRect right_of{around.right, top, around.right + size.width, top + size.height};
  const PixelRect left_of{around.left - size.width, top, around.left, top + size.height};
  const std::array<PixelRect, 4> places = at_or_above_zero ? std::array{below, above, right_of, left_of}
                                                           : std::array{above, below, right_of, left_of};
  // Outside the plot counts worse than any number of covered handles; the
  // earlier place wins a tie.
  const auto cost = [&](const PixelRect& place) {
    const auto covered = std::count_if(others.begin(), others.end(),
                                       [&](const PixelRect& other) { return Overlap(place, other); });
    return std::tuple{!Inside(place, plot), covered};
  };
  return *std::min_element(places.begin(), places.end(),
                           [&](const PixelRect& a, const PixelRect& b) { return cost(a) < cost(b); });
}

std::vector<PixelRect> TipLines(const PixelRect& block, const PixelRect& square, int lines, int text_height) {
  const bool upwards = block.bottom <= square.top;
  std::vector<PixelRect> rows;
  for (int line = 0; line < lines; ++line) {
    const int top = upwards ? block.bottom - (line + 1) * text_height : block.top + line * text_height;
    rows.push_back({block.left, top, block.right, top + text_height});
  }
  return rows;
}

}  // namespace dsp
