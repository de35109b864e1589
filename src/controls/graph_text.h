#pragma once

// Texts a drawn control paints again and again in one font (scale labels,
// handle labels, value tips), laid out once and kept: laying a string out
// costs far more than drawing it. Lines split at "\n" and are placed one
// under the other inside a box.

#include <QFont>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <unordered_map>

class QPainter;

namespace dsp {

class GraphText {
 public:
  // The font the texts are drawn in; a new one forgets what was laid out.
  void Use(const QFont& font);
  // Draws `text` in `box` with the painter's pen: lines centred as a block
  // vertically, each aligned left, right or centred (Qt::AlignLeft,
  // AlignRight, AlignHCenter in `alignment`).
  void Draw(QPainter& painter, const QRect& box, Qt::Alignment alignment, const QString& text);
  // The box the lines of `text` take when drawn so.
  QRect Measure(const QRect& box, Qt::Alignment alignment, const QString& text);

 private:
  // Labels that change with every drag would pile up: the cache starts
  // again once it holds this many lines.
  static constexpr std::size_t kMaxLines = 1024;

  const QStaticText& Line(const QString& line);
  QRect Place(const QRect& box, Qt::Alignment alignment, const QString& text, QPainter* painter);

  QFont font_;
  int line_height_ = 0;
  std::unordered_map<QString, QStaticText> lines_;
};

}  // namespace dsp
