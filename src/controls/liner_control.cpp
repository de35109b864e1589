#include "controls/liner_control.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "controls/pixels_qt.h"
#include "platform/attribute_values.h"
#include "platform/notification.h"

namespace dsp {
namespace {

const QColor kGridColour(0x5C, 0x5C, 0x5C);
const QColor kScaleColour(0xFF, 0xFF, 0xFF);
const QColor kHandleColour(0xD4, 0xD4, 0xD4);
const QColor kHandleTextColour(0x00, 0x00, 0x00);

// A zoom of 0 or less would label every line 0.
double PositiveOrOne(double zoom) { return zoom > 0 ? zoom : 1.0; }

// "linecolor" is hexadecimal ARGB, with or without its "#".
QColor LineColour(std::string_view value) {
  if (value.starts_with('#')) value.remove_prefix(1);
  return ParseColor("linecolor", "#" + std::string(value));
}

// Lines one pixel wide are drawn through pixel centres, so that they stay
// one sharp pixel wide.
void DrawThinLines(QPainter& painter, const std::vector<CurveLine>& lines, const QColor& colour) {
  painter.setPen(QPen(colour, 1));
  for (const CurveLine& line : lines) {
    painter.drawLine(QPointF(line.from.x + 0.5, line.from.y + 0.5), QPointF(line.to.x + 0.5, line.to.y + 0.5));
  }
}

void DrawHandle(QPainter& painter, const PixelRect& square, const std::string& text) {
  if (square.IsEmpty()) return;
  const QRect box = ToQRect(square);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kHandleColour);
  painter.drawEllipse(box);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(kHandleTextColour);
  painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, QString::fromStdString(text));
}

}  // namespace

LinerControl::LinerControl() {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void LinerControl::SetAttribute(std::string_view name, std::string_view value) {
  LinerSettings& s = model_.settings;
  const auto integer = [&](int& field) { field = ParseInt(name, value); };
  if (name == "type") integer(s.type);
  else if (name == "xmin") integer(s.xmin);
  else if (name == "xmax") integer(s.xmax);
  else if (name == "ymin") integer(s.ymin);
  else if (name == "ymax") integer(s.ymax);
  else if (name == "xvalue") model_.SetSkinX(ParseInt(name, value));
  else if (name == "yvalue") model_.SetSkinY(ParseInt(name, value));
  else if (name == "xstep") integer(s.xstep);
  else if (name == "ystep") integer(s.ystep);
  else if (name == "ratio") model_.SetSkinRatio(ParseInt(name, value));
  else if (name == "ratiomin") integer(s.ratiomin);
  else if (name == "ratiomax") integer(s.ratiomax);
  else if (name == "ratiotext") ratio_text_ = value;
  else if (name == "xtext") x_text_ = value;
  else if (name == "ytext") y_text_ = value;
  else if (name == "xscaleinterval") integer(s.xscaleinterval);
  else if (name == "yscaleinterval") integer(s.yscaleinterval);
  else if (name == "xscalezoom") s.xscalezoom = PositiveOrOne(ParseDouble(name, value));
  else if (name == "yscalezoom") s.yscalezoom = PositiveOrOne(ParseDouble(name, value));
  // Only the exact text turns the handles on; "True" leaves them off.
  else if (name == "showcontrol") s.showcontrol = value == "true";
  else if (name == "linecolor") line_color_ = LineColour(value);
  else if (name == "linewidth") integer(line_width_);
  else Control::SetAttribute(name, value);
  update();
}

bool LinerControl::SetValue(int x, int y) {
  const bool taken = model_.SetValue(x, y);
  update();
  return taken;
}

void LinerControl::HideValue() {
  model_.HideValue();
  update();
}

void LinerControl::ShowUnity() {
  model_.ShowUnity();
  update();
}

bool LinerControl::SetRatio(int ratio) {
  const bool taken = model_.SetRatio(ratio);
  update();
  return taken;
}

void LinerControl::HideRatio() {
  model_.HideRatio();
  update();
}

void LinerControl::SetXText(std::string_view text) {
  x_text_ = text;
  update();
}

void LinerControl::SetYText(std::string_view text) {
  y_text_ = text;
  update();
}

// The area ends on its last pixels: a curve along the right or bottom edge
// (a gate at the top of its range) must be drawn on them, not beside them.
LinerScene LinerControl::Scene() const {
  const QFontMetrics metrics(font());
  PixelRect area = ToPixelRect(PaddedRect());
  area.right -= 1;
  area.bottom -= 1;
  return model_.Scene(area, {metrics.averageCharWidth(), metrics.height() + metrics.leading()},
                      {Text(), ratio_text_, x_text_, y_text_}, IsEnabled());
}

void LinerControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBackground(painter);
  painter.setRenderHint(QPainter::Antialiasing);
  const LinerScene scene = Scene();
  painter.setPen(kScaleColour);
  const auto flags = Qt::TextSingleLine | Qt::TextDontClip;
  if (scene.y_title) {
    painter.drawText(ToQRect(*scene.y_title), flags | Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(y_text_));
  }
  if (scene.x_title) {
    painter.drawText(ToQRect(*scene.x_title), flags | Qt::AlignCenter, QString::fromStdString(x_text_));
  }
  for (const ScaleLabel& label : scene.labels) {
    const auto align = label.y_scale ? Qt::AlignRight : Qt::AlignHCenter;
    painter.drawText(ToQRect(label.box), flags | align | Qt::AlignVCenter, QString::fromStdString(label.text));
  }
  DrawThinLines(painter, scene.grid, kGridColour);
  DrawThinLines(painter, scene.axes, kScaleColour);
  QPen curve(line_color_, line_width_);
  curve.setCapStyle(Qt::RoundCap);
  curve.setJoinStyle(Qt::RoundJoin);
  painter.setPen(curve);
  for (const CurveLine& line : scene.curve) painter.drawLine(ToQPoint(line.from), ToQPoint(line.to));
  DrawHandle(painter, scene.threshold_handle, Text());
  DrawHandle(painter, scene.ratio_handle, ratio_text_);
}

void LinerControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) model_.Press(ToCurvePoint(event->position().toPoint()), Scene());
}

void LinerControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (model_.Move(ToCurvePoint(at), Scene(), rect().contains(at))) Changed();
}

void LinerControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  model_.EndDrag();
  SendNotify(notify::kClick);
}

void LinerControl::leaveEvent(QEvent* event) {
  model_.EndDrag();
  Control::leaveEvent(event);
}

void LinerControl::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
      Step(1);
      break;
    case Qt::Key_Down:
    case Qt::Key_Left:
      Step(-1);
      break;
    default:
      Control::keyPressEvent(event);
  }
}

void LinerControl::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta != 0) Step(delta > 0 ? 1 : -1);
}

void LinerControl::Step(int direction) {
  if (model_.Step(direction)) Changed();
}

void LinerControl::Changed() {
  update();
  SendNotify(notify::kValueChanged);
}

}  // namespace dsp
