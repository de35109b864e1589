#include "controls/eq_graph_model.h"

#include <algorithm>
#include <cmath>

namespace dsp {
namespace {

constexpr std::array<int, kGraphBands> kStartFrequencies = {
    25,   30,   40,   50,   60,   70,   80,   90,   100,   200,   300,   400,   500,   600,   700,  800,
    900,  1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000};

// What the user may set; the host may set gains up to 14 dB.
constexpr int kUserMinHz = 20;
constexpr int kUserMaxHz = 20000;
constexpr int kUserMaxGain = 1200;
constexpr int kHostMaxGain = 1400;
constexpr int kMinQ = 50;
constexpr int kMaxQ = 12800;
constexpr int kGainStep = 10;
constexpr int kQStep = 10;

bool Hit(const PixelRect& rect, PixelPoint point) { return rect.Contains(point.x, point.y); }

GraphNotice ValueChanged(std::uintptr_t wparam, std::intptr_t lparam) {
  return {GraphNotice::Type::kValueChanged, wparam, lparam};
}

int KeyFrequencyStep(GraphKey key) { return key == GraphKey::kLeft ? -1 : key == GraphKey::kRight ? 1 : 0; }

}  // namespace

EqGraphModel::EqGraphModel() {
  for (std::size_t band = 0; band < bands_.size(); ++band) {
    bands_[band] = {eq_shape::kPeak, kStartFrequencies[band], 0, 100, false};
  }
  high_pass_.frequency = 20;
  high_pass_.handle_level = -600;
  low_pass_.frequency = 20000;
  low_pass_.handle_level = -1000;
}

bool EqGraphModel::SetBand(int index, int frequency, int gain, int q, int type, bool on) {
  const bool fits = index >= 0 && index < kGraphBands && frequency >= kGraphLowestHz && frequency <= kGraphHighestHz &&
                    gain >= -kHostMaxGain && gain <= kHostMaxGain && q >= kMinQ && q <= kMaxQ;
  if (fits) bands_[static_cast<std::size_t>(index)] = {type, frequency, gain, q, on};
  return fits;
}

void EqGraphModel::SetHighPass(int frequency, bool on) {
  high_pass_.frequency = frequency;
  high_pass_.on = on;
}

void EqGraphModel::SetLowPass(int frequency, bool on) {
  low_pass_.frequency = frequency;
  low_pass_.on = on;
}

void EqGraphModel::SetBandHidden(int index, bool hidden) {
  if (index >= 0 && index < kGraphBands) hidden_[static_cast<std::size_t>(index)] = hidden;
}

int EqGraphModel::HandleCount() const { return std::clamp(show_band_number_, 0, kGraphBands); }

bool EqGraphModel::AnyBandOn() const {
  return std::any_of(bands_.begin(), bands_.end(), [](const EqShapeBand& band) { return band.on; });
}

void EqGraphModel::SetFiltersShown(bool shown) {
  filters_shown_ = shown;
  if (shown) return;
  high_pass_.selected = false;
  low_pass_.selected = false;
  high_pass_.hit = {};
  low_pass_.hit = {};
}

EqShapeBand EqGraphModel::HighPassShape() const {
  return {eq_shape::kHighPass, high_pass_.frequency, 0, high_pass_.q, high_pass_.on && filters_shown_};
}

EqShapeBand EqGraphModel::LowPassShape() const {
  return {eq_shape::kLowPass, low_pass_.frequency, 0, low_pass_.q, low_pass_.on && filters_shown_};
}

// A filter's corner comes unchecked from the host; one of 0 Hz or below
// sits where 1 Hz would, left of the plot.
PixelRect EqGraphModel::HandleSquare(int frequency, int level) const {
  const FrequencyAxis axis(plot_.Width());
  const int left = static_cast<int>(plot_.left + axis.X(std::max(frequency, 1)) - radius_);
  const int top = static_cast<int>(GainY(plot_, level / 100.0) - radius_);
  return {left, top, left + 2 * radius_, top + 2 * radius_};
}

void EqGraphModel::LayOut(const PixelRect& plot, int radius) {
  plot_ = plot;
  radius_ = radius;
  band_hits_.clear();
  for (int band = 0; band < HandleCount(); ++band) {
    const EqShapeBand& shape = bands_[static_cast<std::size_t>(band)];
    band_hits_.push_back(HandleSquare(shape.frequency, shape.gain));
  }
  if (!filters_shown_) return;
  high_pass_.hit = HandleSquare(high_pass_.frequency, high_pass_.handle_level);
  low_pass_.hit = HandleSquare(low_pass_.frequency, low_pass_.handle_level);
}

std::optional<GraphNotice> EqGraphModel::Press(PixelPoint point) {
  const auto band = std::find_if(band_hits_.begin(), band_hits_.end(), [&](const PixelRect& r) { return Hit(r, point); });
  selected_band_ = band == band_hits_.end() ? -1 : static_cast<int>(band - band_hits_.begin());
  high_pass_.selected = selected_band_ < 0 && Hit(high_pass_.hit, point);
  low_pass_.selected = selected_band_ < 0 && !high_pass_.selected && Hit(low_pass_.hit, point);
  dragging_ = AnySelected();
  if (selected_band_ < 0) return std::nullopt;
  return GraphNotice{GraphNotice::Type::kSelectChanged, 0, selected_band_};
}

std::optional<GraphNotice> EqGraphModel::Move(PixelPoint point, bool inside) {
  if (!inside) dragging_ = false;
  if (!dragging_ || plot_.Width() < 1 || plot_.Height() < 1) return std::nullopt;
  const double hz = FrequencyAxis(plot_.Width()).Frequency(std::trunc(point.x) - plot_.left);
  const int frequency = std::clamp(static_cast<int>(std::min(hz, 1e9)), kUserMinHz, kUserMaxHz);
  if (selected_band_ >= 0) {
    bands_[static_cast<std::size_t>(selected_band_)].frequency = frequency;
    return MoveBand(point);
  }
  if (high_pass_.selected) {
    high_pass_.frequency = frequency;
    return ValueChanged(0, kHighPassDragged);
  }
  if (low_pass_.selected) {
    low_pass_.frequency = frequency;
    return ValueChanged(0, kLowPassDragged);
  }
  return std::nullopt;
}

// Peaks and shelves follow the pointer up and down; a filter-type band
// keeps its gain.
std::optional<GraphNotice> EqGraphModel::MoveBand(PixelPoint point) {
  EqShapeBand& band = bands_[static_cast<std::size_t>(selected_band_)];
  if (band.type == eq_shape::kPeak || band.type == eq_shape::kLowShelf || band.type == eq_shape::kHighShelf) {
    const int rows_above = (plot_.Height() / 2 - static_cast<int>(std::trunc(point.y)) + plot_.top) *
                           static_cast<int>(kGraphSpanDb);
    const double db = std::clamp(static_cast<double>(rows_above) / plot_.Height(), -12.0, 12.0);
    band.gain = static_cast<int>(db * 100);
  }
  return ValueChanged(0, selected_band_);
}

std::optional<GraphNotice> EqGraphModel::Key(GraphKey key) {
  if (selected_band_ >= 0) return KeyOnBand(key);
  GraphFilter* filter = high_pass_.selected ? &high_pass_ : low_pass_.selected ? &low_pass_ : nullptr;
  if (filter == nullptr || KeyFrequencyStep(key) == 0) return std::nullopt;
  filter->frequency = std::clamp(filter->frequency + KeyFrequencyStep(key), kUserMinHz, kUserMaxHz);
  return ValueChanged(kSecondValue, filter == &high_pass_ ? 0 : 1);
}

std::optional<GraphNotice> EqGraphModel::KeyOnBand(GraphKey key) {
  EqShapeBand& band = bands_[static_cast<std::size_t>(selected_band_)];
  if (key == GraphKey::kLeft || key == GraphKey::kRight) {
    band.frequency = std::clamp(band.frequency + KeyFrequencyStep(key), kUserMinHz, kUserMaxHz);
  } else if (key == GraphKey::kUp || key == GraphKey::kDown) {
    const int step = key == GraphKey::kUp ? kGainStep : -kGainStep;
    band.gain = std::clamp(band.gain + step, -kUserMaxGain, kUserMaxGain);
  } else {
    return std::nullopt;
  }
  return ValueChanged(0, selected_band_);
}

std::optional<GraphNotice> EqGraphModel::Wheel(bool up) {
  if (selected_band_ < 0) return std::nullopt;
  EqShapeBand& band = bands_[static_cast<std::size_t>(selected_band_)];
  band.q = std::clamp(band.q + (up ? kQStep : -kQStep), kMinQ, kMaxQ);
  return ValueChanged(kSecondValue, selected_band_);
}

bool EqGraphModel::ClearBandSelection() {
  if (selected_band_ < 0) return false;
  selected_band_ = -1;
  return true;
}

void EqGraphModel::PulseTick() {
  if (pulse_rising_) {
    if (++pulse_ >= kPulseMax) pulse_rising_ = false;
  } else if (--pulse_ < 1) {
    pulse_rising_ = true;
  }
}

namespace {

bool Overlap(const PixelRect& a, const PixelRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

std::vector<bool> LabelledHandles(const std::vector<PixelRect>& squares, const std::vector<LabelSize>& label_sizes,
                                  const std::vector<bool>& hidden, int selected) {
  const std::size_t count = squares.size();
  std::vector<bool> labelled(count, false);
  std::vector<std::size_t> order;
  if (selected >= 0 && static_cast<std::size_t>(selected) < count) order.push_back(static_cast<std::size_t>(selected));
  for (std::size_t band = 0; band < count; ++band) {
    if (static_cast<int>(band) != selected) order.push_back(band);
  }
  for (const std::size_t band : order) {
    const PixelRect& square = squares[band];
    const LabelSize size = band < label_sizes.size() ? label_sizes[band] : LabelSize{};
    if ((band < hidden.size() && hidden[band]) || size.width > square.Width() || size.height > square.Height()) {
      continue;
    }
    bool clear = true;
    for (std::size_t other = 0; other < count && clear; ++other) {
      clear = !labelled[other] || !Overlap(square, squares[other]);
    }
    labelled[band] = clear;
  }
  return labelled;
}

}  // namespace dsp
