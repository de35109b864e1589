#include "skin_images/state_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace dsp {
namespace {

constexpr qreal kPlateRadius = 6.0;
constexpr qreal kBarThickness = 2.0;
constexpr qreal kBarInset = 12.0;

QColor Argb(uint32_t value) { return QColor::fromRgba(value); }

// The glyph keeps its shape and its own opacities; only the colour changes.
QImage Tinted(const QImage& drawn, uint32_t colour) {
  QImage glyph = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&glyph);
  painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
  painter.fillRect(glyph.rect(), Argb(colour));
  return glyph;
}

void PaintPlate(QPainter& painter, QSizeF size, uint32_t colour) {
  qreal radius = std::min(kPlateRadius, std::min(size.width(), size.height()) / 4.0);
  QPainterPath plate;
  plate.addRoundedRect(QRectF(QPointF(0, 0), size), radius, radius);
  painter.fillPath(plate, Argb(colour));
}

void PaintBar(QPainter& painter, QSizeF size, uint32_t colour) {
  qreal inset = std::min(kBarInset, size.width() / 4.0);
  QRectF bar(inset, size.height() - kBarThickness - 1.0, size.width() - 2 * inset, kBarThickness);
  QPainterPath path;
  path.addRoundedRect(bar, kBarThickness / 2, kBarThickness / 2);
  painter.fillPath(path, Argb(colour));
}

}  // namespace

QImage PaintState(const QImage& drawn, const ImageState& state) {
  QImage result(drawn.size(), QImage::Format_ARGB32_Premultiplied);
  result.fill(Qt::transparent);
  QPainter painter(&result);
  painter.setRenderHint(QPainter::Antialiasing);
  QSizeF size = drawn.size();
  if (state.plate_colour) PaintPlate(painter, size, *state.plate_colour);
  if (state.bar_colour) PaintBar(painter, size, *state.bar_colour);
  QImage glyph = state.glyph_colour ? Tinted(drawn, *state.glyph_colour) : drawn;
  painter.drawImage(QPointF(0, state.shift_y), glyph);
  return result;
}

}  // namespace dsp
