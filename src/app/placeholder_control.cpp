#include "app/placeholder_control.h"

#include <QPainter>

#include "platform/qt_text.h"

namespace dsp {

void PlaceholderControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBackground(painter);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor frame(0x3A, 0x41, 0x4B);
  painter.setPen(QPen(frame, 1, Qt::DashLine));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(QColor(0x9A, 0xA5, 0xB1));
  painter.drawText(rect(), Qt::AlignCenter, ToQt(class_name_ + " " + Name()));
}

}  // namespace dsp
