#include "controls/graph_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

namespace dsp {

void GraphText::Use(const QFont& font) {
  if (line_height_ > 0 && font == font_) return;
  font_ = font;
  line_height_ = QFontMetrics(font).height();
  lines_.clear();
}

const QStaticText& GraphText::Line(const QString& line) {
  if (lines_.size() >= kMaxLines) lines_.clear();
  auto found = lines_.find(line);
  if (found == lines_.end()) {
    QStaticText laid_out(line);
    laid_out.setTextFormat(Qt::PlainText);
    laid_out.prepare(QTransform(), font_);
    found = lines_.emplace(line, std::move(laid_out)).first;
  }
  return found->second;
}

QRect GraphText::Place(const QRect& box, Qt::Alignment alignment, const QString& text, QPainter* painter) {
  const QStringList lines = text.split('\n');
  int top = box.top() + (box.height() - line_height_ * static_cast<int>(lines.size())) / 2;
  QRect taken;
  for (const QString& line : lines) {
    if (!line.isEmpty()) {
      const QStaticText& laid_out = Line(line);
      const int width = static_cast<int>(laid_out.size().width());
      int left = box.left();
      if (alignment & Qt::AlignRight) left = box.right() + 1 - width;
      if (alignment & Qt::AlignHCenter) left = box.left() + (box.width() - width) / 2;
      if (painter != nullptr) painter->drawStaticText(left, top, laid_out);
      taken |= QRect(left, top, width, line_height_);
    }
    top += line_height_;
  }
  return taken;
}

void GraphText::Draw(QPainter& painter, const QRect& box, Qt::Alignment alignment, const QString& text) {
  painter.setFont(font_);
  Place(box, alignment, text, &painter);
}

QRect GraphText::Measure(const QRect& box, Qt::Alignment alignment, const QString& text) {
  return Place(box, alignment, text, nullptr);
}

}  // namespace dsp
