#pragma once

#include <QImage>
#include <QString>
#include <variant>

namespace dsp {

// Draws an SVG file into a transparent image of the given size. Fails with a
// message when the file cannot be read, or when its drawing has another shape
// than the image, since stretching would distort the artwork.
std::variant<QImage, QString> RasteriseSvg(const QString& path, int width, int height);

}  // namespace dsp
