#include "skin_images/svg_raster.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace dsp {
namespace {

constexpr double kAspectTolerance = 0.01;

}  // namespace

std::variant<QImage, QString> RasteriseSvg(const QString& path, int width, int height) {
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return QStringLiteral("cannot read the SVG drawing '%1'").arg(path);
  QRectF box = renderer.viewBoxF();
  if (box.isEmpty()) return QStringLiteral("'%1' has no view box").arg(path);
  double drawn = box.width() / box.height();
  double asked = double(width) / double(height);
  if (std::abs(drawn / asked - 1.0) > kAspectTolerance) {
    return QStringLiteral("'%1' is drawn %2x%3, which does not scale to %4x%5")
        .arg(path)
        .arg(box.width())
        .arg(box.height())
        .arg(width)
        .arg(height);
  }
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  return image;
}

}  // namespace dsp
