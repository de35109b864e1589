#include "controls/knob_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace dsp {
namespace {

std::string Format(const char* format, double value) {
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

}  // namespace

double KnobModel::Clamped(double angle) const {
  const double low = std::min(settings.anglemin, settings.anglemax);
  const double high = std::max(settings.anglemin, settings.anglemax);
  return std::clamp(angle, low, high);
}

void KnobModel::SetValue(double value) {
  const KnobSettings& s = settings;
  if (value >= s.max) {
    angle_ = s.anglemax;
  } else if (value <= s.min) {
    angle_ = s.anglemin;
  } else {
    angle_ = (s.anglemax - s.anglemin) / (s.max - s.min) * (value - s.min) + s.anglemin;
  }
}

double KnobModel::Value() const {
  const KnobSettings& s = settings;
  if (s.anglemax == s.anglemin) return s.min;
  return (s.max - s.min) / (s.anglemax - s.anglemin) * (angle_ - s.anglemin) + s.min;
}

std::string KnobModel::ValueText() const {
  const double value = Value();
  return Format("%.1f", value > -0.1 && value < 0 ? 0.0 : value);
}

std::string KnobModel::MinText() const { return Format("%.0f", settings.min); }

std::string KnobModel::MaxText() const { return Format("%.0f", settings.max); }

KnobScene KnobModel::Scene(PixelRect control, int line_height) const {
  KnobScene scene;
  const int size = settings.knobsize;
  scene.fore = size >= 1;
  const int value_bottom = control.top + (scene.fore ? std::clamp(line_height, 0, control.Height()) : 0);
  scene.value_line = {control.left, control.top, control.right, value_bottom};
  const PixelRect area{control.left, value_bottom, control.right, control.bottom};
  const int side = 2 * (std::min(area.Width(), area.Height()) / 2);
  scene.centre = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  scene.dial = {scene.centre.x - side / 2, scene.centre.y - side / 2, scene.centre.x + side / 2,
                scene.centre.y + side / 2};
  const CurvePoint corner{(area.right - size + area.left) / 2, (area.bottom - size + area.top) / 2};
  scene.knob = {corner.x, corner.y, corner.x + size, corner.y + size};
  scene.rotation = settings.angleoffset + angle_;
  if (settings.valuealign == "center") scene.value_align = KnobAlign::kCenter;
  else if (settings.valuealign == "left") scene.value_align = KnobAlign::kLeft;
  return scene;
}

void KnobModel::Press(CurvePoint p) {
  dragging_ = true;
  last_ = p;
}

// The swept angle is the angle between the two pointer positions seen from
// the centre; its sign comes from which way the pointer went around it.
bool KnobModel::Move(CurvePoint p, CurvePoint centre) {
  if (!dragging_) return false;
  const double ax = last_.x - centre.x;
  const double ay = last_.y - centre.y;
  const double bx = p.x - centre.x;
  const double by = p.y - centre.y;
  const bool last_below = last_.y >= centre.y;
  last_ = p;
  const double lengths = std::hypot(ax, ay) * std::hypot(bx, by);
  // A point on the centre has no direction: nothing was swept.
  if (lengths == 0) return false;
  // Rounding can put the cosine of a tiny sweep just past 1.
  const double swept = Degrees(std::acos(std::clamp((ax * bx + ay * by) / lengths, -1.0, 1.0)));
  const double from = Degrees(std::acos(ax / std::hypot(ax, ay)));
  const double to = Degrees(std::acos(bx / std::hypot(bx, by)));
  const bool decreases = last_below ? from > to : to > from;
  angle_ = Clamped(angle_ + (decreases ? -swept : swept));
  return true;
}

void KnobModel::Wheel(int direction) { angle_ = Clamped(angle_ + direction * settings.anglestep); }

}  // namespace dsp
