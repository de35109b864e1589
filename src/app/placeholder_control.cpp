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
  const QRect inside = rect().adjusted(3, 0, -3, 0);
  const QString label = painter.fontMetrics().elidedText(ToQt(class_name_ + " " + Name()), Qt::ElideMiddle, inside.width());
  painter.drawText(inside, Qt::AlignCenter, label);
}

}  // namespace dsp
