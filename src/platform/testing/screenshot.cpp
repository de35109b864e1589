#include "platform/testing/screenshot.h"

#include <QPixmap>
#include <QWidget>
#include <unordered_set>

#include "platform/qt_text.h"
#include "platform/scroll_view.h"

namespace dsp {

QImage Capture(QWidget* widget) {
  FlushPendingLayouts();
  return widget->grab().toImage();
}

std::string SaveScreenshot(QWidget* widget, const std::string& path) {
  const QImage image = Capture(widget);
  if (image.isNull()) return "nothing to capture for " + path + " (is the window shown?)";
  if (!image.save(ToQt(path), "PNG")) return "cannot write the screenshot " + path + "; check the folder";
  return {};
}

int DistinctColours(const QImage& image) {
  const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
  std::unordered_set<QRgb> colours;
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    colours.insert(line, line + pixels.width());
  }
  return static_cast<int>(colours.size());
}

}  // namespace dsp
