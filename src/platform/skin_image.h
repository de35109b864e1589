#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <memory>
#include <string_view>

class QPainter;
class QSvgRenderer;

namespace dsp {

// An image of the skin folder: a PNG, or an SVG drawn at whatever size it is
// painted. Copies share the loaded data.
class SkinImage {
 public:
  SkinImage() = default;

  bool IsNull() const { return !raster_ && !vector_; }
  QSize NaturalSize() const;
  // Draws the image stretched over `target`; a null image draws nothing.
  void Paint(QPainter& painter, const QRectF& target) const;

 private:
  friend SkinImage LoadSkinImage(std::string_view name);

// LoadSkinImage for a skin attribute: throws AttributeError naming the
// attribute when a non-empty name does not load.
SkinImage RequireSkinImage(std::string_view attribute, std::string_view name);
  std::shared_ptr<const QImage> raster_;
  std::shared_ptr<QSvgRenderer> vector_;
};

// Loads `name` (e.g. "image/home.png") relative to the skin folder, once per
// process. A ".png" name without such a file falls back to the ".svg" of the
// same stem, so artwork can stay as SVG source. Returns a null image when
// neither exists or the file is not a readable image.
SkinImage LoadSkinImage(std::string_view name);

// LoadSkinImage for a skin attribute: throws AttributeError naming the
// attribute when a non-empty name does not load.
SkinImage RequireSkinImage(std::string_view attribute, std::string_view name);

}  // namespace dsp
