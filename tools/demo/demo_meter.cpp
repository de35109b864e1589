#include "demo/demo_meter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>

#include "platform/attribute_values.h"
#include "platform/notification.h"

namespace dsp {

DemoMeter::DemoMeter() {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void DemoMeter::SetLevel(int level) {
  level_ = std::clamp(level, 0, 100);
  update();
}

void DemoMeter::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "level") SetLevel(ParseInt(name, value));
  else if (name == "barcolor") bar_color_ = ParseColor(name, value);
  else Control::SetAttribute(name, value);
}

void DemoMeter::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBackground(painter);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area = QRectF(PaddedRect()).adjusted(2, 2, -2, -2);
  QPainterPath frame;
  frame.addRoundedRect(area, 6, 6);
  painter.fillPath(frame, QColor(0xFF262626));
  QRectF bar = area;
  bar.setWidth(area.width() * level_ / 100.0);
  QPainterPath filled;
  filled.addRoundedRect(bar, 6, 6);
  painter.fillPath(filled, bar_color_);
  painter.setPen(QPen(QColor(0xFFE0E0E0), 2));
  const qreal needle = bar.right();
  painter.drawLine(QPointF(needle, area.top()), QPointF(needle, area.bottom()));
  painter.drawText(area, Qt::AlignCenter, QString::number(level_));
}

void DemoMeter::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  SetLevel(level_ + (delta > 0 ? 5 : -5));
  SendNotify(notify::kValueChanged, static_cast<std::uintptr_t>(level_));
  event->accept();
}

void DemoMeter::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) SendNotify(notify::kClick);
}

}  // namespace dsp
