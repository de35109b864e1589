#include "controls/liner_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dsp {
namespace {

// Characters, not bytes: a title may be Chinese.
int TextLength(const std::string& text) {
  return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string ScaleText(int value, double zoom) {
  char text[24];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(std::trunc(value * zoom)));
  return text;
}

PixelRect Square(CurvePoint centre, int half) {
  return {centre.x - half, centre.y - half, centre.x + half, centre.y + half};
}

}  // namespace

bool LinerModel::InsideAxes(int x, int y) const {
  return x >= settings.xmin && x <= settings.xmax && y >= settings.ymin && y <= settings.ymax;
}

// Without a range on either axis nothing maps to a pixel.
bool LinerModel::CanPlot() const { return settings.xmin < settings.xmax && settings.ymin < settings.ymax; }

bool LinerModel::RatioInRange(int ratio) const { return ratio >= settings.ratiomin && ratio <= settings.ratiomax; }

bool LinerModel::SetValue(int x, int y) {
  if (!InsideAxes(x, y)) return false;
  x_ = x;
  y_ = y;
  value_shown_ = true;
  return true;
}

void LinerModel::ShowUnity() {
  const bool gate = settings.type == kLinerGate;
  x_ = gate ? settings.xmin : settings.xmax;
  y_ = gate ? settings.ymin : settings.ymax;
  value_shown_ = true;
}

void LinerModel::SetSkinX(int x) {
  x_ = x;
  value_shown_ = true;
}

void LinerModel::SetSkinY(int y) {
  y_ = y;
  value_shown_ = true;
}

void LinerModel::SetSkinRatio(int ratio) {
  ratio_ = ratio;
  ratio_shown_ = true;
}

bool LinerModel::SetRatio(int ratio) {
  if (!RatioInRange(ratio)) return false;
  ratio_ = ratio;
  ratio_shown_ = true;
  return true;
}

LinerScene LinerModel::Scene(PixelRect control, TextMetrics metrics, const LinerTexts& texts, bool enabled) const {
  LinerScene scene;
  const int th = metrics.height;
  const int cw = metrics.char_width;
  PixelRect area = control;
  if (!texts.y_title.empty()) {
    const int margin = 3 * th / 2;
    scene.y_title = PixelRect{control.left, control.top + margin - th,
                              control.left + (TextLength(texts.y_title) + 1) * cw, control.top + margin};
    area.top += margin;
    area.bottom -= margin;
  }
  if (!texts.x_title.empty()) scene.x_title = PixelRect{area.left, area.bottom, area.right, area.bottom + th};
  const bool scaled = CanPlot() && settings.xscaleinterval > 0 && settings.yscaleinterval > 0;
  scene.plot = area;
  if (scaled) AddScales(scene, area, control, metrics);
  AddCurve(scene, enabled);
  if (enabled) AddHandles(scene, metrics, texts);
  return scene;
}

// The grid is laid out in whole pixels per interval, and the plot spans
// the range at that scale on both axes: every labelled line sits exactly
// where its value is drawn, and a range that is not a whole number of
// intervals ends in a part cell without a label.
void LinerModel::AddScales(LinerScene& scene, const PixelRect& area, const PixelRect& control,
                           TextMetrics metrics) const {
  const int th = metrics.height;
  const int cw = metrics.char_width;
  const LinerSettings& s = settings;
  const auto widest = std::max(ScaleText(s.xmin, s.xscalezoom).size(), ScaleText(s.xmax, s.xscalezoom).size());
  PixelRect& plot = scene.plot;
  plot.left = area.left + (static_cast<int>(widest) + 1) * cw;
  plot.right = area.right - 2 * cw;
  plot.top = area.top + th / 2;
  plot.bottom = area.bottom - th;
  const int height = plot.Height();
  const int width = plot.Width();
  const int step_y = height > 0 ? s.yscaleinterval * height / (s.ymax - s.ymin) : 0;
  const int step_x = width > 0 ? width * s.xscaleinterval / (s.xmax - s.xmin) : 0;
  if (step_y > 0) plot.bottom = plot.top + (s.ymax - s.ymin) * step_y / s.yscaleinterval;
  if (step_x > 0) plot.right = plot.left + (s.xmax - s.xmin) * step_x / s.xscaleinterval;
  for (int k = 0; step_y > 0 && k * s.yscaleinterval <= s.ymax - s.ymin; ++k) {
    const int y = plot.top + k * step_y;
    scene.labels.push_back({{control.left, y - th / 2, plot.left, y + th / 2},
                            ScaleText(s.ymax - k * s.yscaleinterval, s.yscalezoom), true});
    scene.grid.push_back({{plot.left, y}, {plot.right, y}});
  }
  for (int k = 0; step_x > 0 && k * s.xscaleinterval <= s.xmax - s.xmin; ++k) {
    const int x = plot.left + k * step_x;
    std::string text = ScaleText(s.xmin + k * s.xscaleinterval, s.xscalezoom);
    const int half = static_cast<int>(text.size()) * cw / 2;
    scene.labels.push_back({{x - half, plot.bottom, x + half, plot.bottom + th}, std::move(text), false});
    scene.grid.push_back({{x, plot.top}, {x, plot.bottom}});
  }
  DropSharedOriginLabel(scene);
  if (step_y > 0) scene.axes.push_back({{plot.left, plot.bottom}, {plot.right, plot.bottom}});
  if (step_x > 0) scene.axes.push_back({{plot.left, plot.top}, {plot.left, plot.bottom}});
}

// The lowest y label and the first x label meet at the plot's corner; when
// they say the same (one scale on both axes) the x label alone says it.
void LinerModel::DropSharedOriginLabel(LinerScene& scene) {
  auto lowest = std::find_if(scene.labels.rbegin(), scene.labels.rend(), [](const ScaleLabel& l) { return l.y_scale; });
  auto first = std::find_if(scene.labels.begin(), scene.labels.end(), [](const ScaleLabel& l) { return !l.y_scale; });
  if (lowest == scene.labels.rend() || first == scene.labels.end() || lowest->text != first->text) return;
  if (lowest->box.bottom <= first->box.top) return;
  scene.labels.erase(std::next(lowest).base());
}

CurvePoint LinerModel::ThresholdPixel(const PixelRect& plot) const {
  const LinerSettings& s = settings;
  return {(x_ - s.xmin) * plot.Width() / (s.xmax - s.xmin) + plot.left,
          (s.ymax - y_) * plot.Height() / (s.ymax - s.ymin) + plot.top};
}

std::optional<int> LinerModel::CompressorEndY(const PixelRect& plot, int threshold_y) const {
  if (!ratio_shown_ || !RatioInRange(ratio_)) return std::nullopt;
  return plot.top + (threshold_y - plot.top) * ratio_ / 100;
}

void LinerModel::AddCurve(LinerScene& scene, bool enabled) const {
  const PixelRect& p = scene.plot;
  if (!enabled) {
    scene.curve.push_back({{p.left, p.bottom}, {p.right, p.top}});
    return;
  }
  if (!CanPlot() || !value_shown_ || !InsideAxes(x_, y_)) return;
  const CurvePoint t = ThresholdPixel(p);
  switch (settings.type) {
    case kLinerGate:
      scene.curve.push_back({{t.x, p.bottom}, t});
      scene.curve.push_back({t, {p.right, p.top}});
      break;
    case kLinerLimiter:
      scene.curve.push_back({{p.left, p.bottom}, t});
      scene.curve.push_back({t, {p.right, t.y}});
      break;
    case kLinerCompressor:
      scene.curve.push_back({{p.left, p.bottom}, t});
      if (const auto end = CompressorEndY(p, t.y)) scene.curve.push_back({t, {p.right, *end}});
      break;
    default:
      break;
  }
}

void LinerModel::AddHandles(LinerScene& scene, TextMetrics metrics, const LinerTexts& texts) const {
  if (!settings.showcontrol || !CanPlot() || !value_shown_ || !InsideAxes(x_, y_)) return;
  const int half = std::max(metrics.height, metrics.char_width) / 2;
  const CurvePoint t = ThresholdPixel(scene.plot);
  if (!texts.threshold.empty()) scene.threshold_handle = Square(t, half);
  if (texts.ratio.empty()) return;
  std::optional<int> end = scene.plot.top;
  if (settings.type == kLinerCompressor) end = CompressorEndY(scene.plot, t.y);
  if (end) scene.ratio_handle = Square({scene.plot.right, *end}, half);
}

void LinerModel::Press(CurvePoint p, const LinerScene& scene) {
  if (!settings.showcontrol) return;
  if (!scene.threshold_handle.IsEmpty() && scene.threshold_handle.Contains(p.x, p.y)) {
    dragging_threshold_ = true;
  } else if (!scene.ratio_handle.IsEmpty() && scene.ratio_handle.Contains(p.x, p.y)) {
    dragging_ratio_ = true;
  }
}

bool LinerModel::Move(CurvePoint p, const LinerScene& scene, bool inside_control) {
  if (!inside_control) {
    EndDrag();
    return false;
  }
  if (dragging_threshold_) return DragThreshold(p, scene.plot);
  if (dragging_ratio_) return DragRatio(p, scene.plot);
  return false;
}

bool LinerModel::DragThreshold(CurvePoint p, const PixelRect& plot) {
  const LinerSettings& s = settings;
  int v = 0;
  if (s.type == kLinerGate) {
    if (plot.Width() < 1) return false;
    v = (p.x - plot.left) * (s.xmax - s.xmin) / plot.Width() + s.xmin;
    if (v < s.xmin || v > s.xmax) return false;
  } else if (s.type == kLinerLimiter || s.type == kLinerCompressor) {
    if (plot.Height() < 1) return false;
    v = s.ymax - (p.y - plot.top) * (s.ymax - s.ymin) / plot.Height();
    if (v < s.ymin || v > s.ymax) return false;
  } else {
    return false;
  }
  if (x_ == v && y_ == v) return false;
  x_ = y_ = v;
  return true;
}

bool LinerModel::DragRatio(CurvePoint p, const PixelRect& plot) {
  const LinerSettings& s = settings;
  if (s.type != kLinerCompressor || s.ymax == s.ymin) return false;
  const int below_top = (s.ymax - y_) * plot.Height() / (s.ymax - s.ymin);
  if (below_top == 0) return false;
  const int r = (p.y - plot.top) * 100 / below_top;
  if (!RatioInRange(r) || r == ratio_) return false;
  ratio_ = r;
  return true;
}

void LinerModel::EndDrag() {
  dragging_threshold_ = false;
  dragging_ratio_ = false;
}

bool LinerModel::Step(int direction) {
  const LinerSettings& s = settings;
  const bool gate = s.type == kLinerGate;
  if (!s.showcontrol || (!gate && s.type != kLinerLimiter && s.type != kLinerCompressor)) return false;
  EndDrag();
  if (!value_shown_) return false;
  const int v = gate ? x_ + direction * s.xstep : y_ + direction * s.ystep;
  const bool inside = gate ? v >= s.xmin && v <= s.xmax : v >= s.ymin && v <= s.ymax;
  if (!inside) return false;
  x_ = y_ = v;
  return true;
}

}  // namespace dsp
