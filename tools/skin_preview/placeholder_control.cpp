#include "skin_preview/placeholder_control.h"

#include <QPainter>

#include "platform/qt_text.h"

namespace dsp {

PlaceholderControl::PlaceholderControl(std::string class_name) : class_name_(std::move(class_name)) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PlaceholderControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBackground(painter);
  const QRect area = PaddedRect().adjusted(0, 0, -1, -1);
  painter.setPen(QPen(QColor(0xFF5A6370), 1, Qt::DashLine));
  painter.drawRect(area);
  painter.setPen(QColor(0xFF9AA5B1));
  painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, ToQt(class_name_ + "\n" + Name()));
}

}  // namespace dsp
