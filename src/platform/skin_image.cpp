#include "platform/skin_image.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <filesystem>
#include <map>
#include <string>

#include "platform/attribute_values.h"
#include "platform/qt_text.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

std::filesystem::path Resolve(std::string_view name) {
  std::filesystem::path path = Toolkit::SkinDir() / std::filesystem::path(std::string(name));
  if (path.extension() == ".png" && !std::filesystem::exists(path)) {
    std::filesystem::path svg = path;
    svg.replace_extension(".svg");
    if (std::filesystem::exists(svg)) return svg;
  }
  return path;
}


}  // namespace

QSize SkinImage::NaturalSize() const {
  if (raster_) return raster_->size();
  if (vector_) return vector_->defaultSize();
  return {};
}

void SkinImage::Paint(QPainter& painter, const QRectF& target) const {
  if (raster_) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, *raster_);
    painter.restore();
  } else if (vector_) {
    vector_->render(&painter, target);
  }
}

SkinImage LoadSkinImage(std::string_view name) {
  static std::map<std::string, SkinImage> cache;
  static const bool cleared_with_application = [] {
    // SVG renderers are QObjects; they must go before the application does.
    qAddPostRoutine([] { cache.clear(); });
    return true;
  }();
  (void)cleared_with_application;
  const std::filesystem::path path = Resolve(name);
  const std::string key = path.string();
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  SkinImage image;
  if (std::filesystem::exists(path)) {
    if (path.extension() == ".svg") {
      auto renderer = std::make_shared<QSvgRenderer>(ToQt(key));
      if (renderer->isValid()) image.vector_ = std::move(renderer);
    } else {
      // Painting converts other formats on every draw; convert once.
      auto raster = std::make_shared<QImage>(QImage(ToQt(key)).convertToFormat(QImage::Format_ARGB32_Premultiplied));
      if (!raster->isNull()) image.raster_ = std::move(raster);
    }
  }
  if (!image.IsNull()) cache.emplace(key, image);
  return image;
}

SkinImage RequireSkinImage(std::string_view attribute, std::string_view name) {
  SkinImage image = LoadSkinImage(name);
  if (image.IsNull() && !name.empty()) {
    throw AttributeError(std::string(attribute) + "=\"" + std::string(name) +
                         "\": no such image in the skin folder " + Toolkit::SkinDir().string());
  }
  return image;
}

}  // namespace dsp
