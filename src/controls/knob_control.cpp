#include "controls/knob_control.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "controls/pixels_qt.h"
#include "platform/attribute_values.h"
#include "platform/notification.h"

namespace dsp {
namespace {

const QColor kTextColour(0xFF, 0xFF, 0xFF);

}  // namespace

KnobControl::KnobControl() {
  setFocusPolicy(Qt::StrongFocus);
  SetFontIndex(0);
}

void KnobControl::SetAttribute(std::string_view name, std::string_view value) {
  KnobSettings& s = model_.settings;
  if (name == "anglemin") s.anglemin = ParseDouble(name, value);
  else if (name == "anglemax") s.anglemax = ParseDouble(name, value);
  else if (name == "angleoffset") s.angleoffset = ParseDouble(name, value);
  else if (name == "anglestep") s.anglestep = ParseDouble(name, value);
  else if (name == "min") s.min = ParseDouble(name, value);
  else if (name == "max") s.max = ParseDouble(name, value);
  else if (name == "value") model_.SetValue(ParseDouble(name, value));
  else if (name == "knobsize") s.knobsize = ParseInt(name, value);
  else if (name == "valuealign") s.valuealign = value;
  // The dial keeps its shape: it is drawn in a square, not stretched.
  else if (name == "bkimage") dial_ = RequireSkinImage(name, value);
  else Control::SetAttribute(name, value);
  update();
}

void KnobControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBackground(painter);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const KnobScene scene = CurrentScene();
  dial_.Paint(painter, ToQRect(scene.dial));
  if (scene.fore) PaintFore(painter, scene);
}

KnobScene KnobControl::CurrentScene() const {
  return model_.Scene(ToPixelRect(PaddedRect()), QFontMetrics(font()).height());
}

void KnobControl::PaintFore(QPainter& painter, const KnobScene& scene) {
  const QRect area = PaddedRect();
  const QRect value_line = ToQRect(scene.value_line);
  const auto flags = Qt::TextSingleLine | Qt::TextDontClip;
  painter.setPen(kTextColour);
  painter.drawText(area, flags | Qt::AlignRight | Qt::AlignBottom, QString::fromStdString(model_.MaxText()));
  painter.drawText(area, flags | Qt::AlignLeft | Qt::AlignBottom, QString::fromStdString(model_.MinText()));
  const Qt::Alignment value_align = scene.value_align == KnobAlign::kCenter ? Qt::AlignHCenter
                                    : scene.value_align == KnobAlign::kLeft ? Qt::AlignLeft
                                                                              : Qt::AlignRight;
  painter.drawText(value_line, flags | value_align | Qt::AlignVCenter, QString::fromStdString(model_.ValueText()));
  if (!Text().empty()) {
    painter.drawText(value_line, flags | Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(Text()));
  }
  if (knob_.IsNull() && !ForeImage().empty()) knob_ = LoadSkinImage(ForeImage());
  const QPointF centre = ToQPoint(scene.centre);
  painter.translate(centre);
  painter.rotate(scene.rotation);
  painter.translate(-centre);
  knob_.Paint(painter, ToQRect(scene.knob));
}

std::optional<QPoint> KnobControl::NamedPoint(std::string_view part) const {
  if (part != "centre") return std::nullopt;
  return ToQPoint(CurrentScene().centre);
}

void KnobControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) model_.Press(ToCurvePoint(event->position().toPoint()));
}

void KnobControl::mouseMoveEvent(QMouseEvent* event) {
  const CurvePoint centre = CurrentScene().centre;
  if (model_.Move(ToCurvePoint(event->position().toPoint()), centre)) Changed();
}

void KnobControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) model_.Release();
}

void KnobControl::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  model_.Wheel(delta > 0 ? 1 : -1);
  Changed();
}

void KnobControl::Changed() {
  update();
  SendNotify(notify::kValueChanged);
}

}  // namespace dsp
