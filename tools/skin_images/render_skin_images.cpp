// Renders the skin's SVG drawings into the PNG files the skin loads, driven by
// the manifest (skin/image-src/images.txt). Runs at build time.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cstdio>

#include "skin_images/manifest.h"
#include "skin_images/state_painter.h"
#include "skin_images/svg_raster.h"

namespace {

void Complain(const QString& where, const QString& message) {
  std::fprintf(stderr, "%s: %s\n", qPrintable(where), qPrintable(message));
}

QString AtLine(const QString& manifest, int line) {
  return QStringLiteral("%1:%2").arg(manifest).arg(line);
}

bool RenderEntry(const dsp::ImageEntry& entry, const QString& manifest, const QDir& sources,
                 const QDir& output) {
  QString source = sources.filePath(QString::fromStdString(entry.source));
  auto drawn = dsp::RasteriseSvg(source, entry.width, entry.height);
  if (auto* message = std::get_if<QString>(&drawn)) {
    Complain(AtLine(manifest, entry.line), *message);
    return false;
  }
  for (const auto& state : dsp::StatesOf(entry.variants)) {
    QString name = QString::fromStdString(entry.output + std::string(state.suffix) + ".png");
    QString path = output.filePath(name);
    if (!dsp::PaintState(std::get<QImage>(drawn), state).save(path, "PNG")) {
      Complain(AtLine(manifest, entry.line), QStringLiteral("cannot write '%1'").arg(path));
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s MANIFEST OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  QString manifest_path = QString::fromLocal8Bit(argv[1]);
  QString output_path = QString::fromLocal8Bit(argv[2]);
  QFile file(manifest_path);
  if (!file.open(QIODevice::ReadOnly)) {
    Complain(manifest_path, QStringLiteral("cannot read the manifest: %1").arg(file.errorString()));
    return 1;
  }
  dsp::Manifest manifest = dsp::ParseManifest(file.readAll().toStdString());
  if (manifest.error) {
    Complain(AtLine(manifest_path, manifest.error->line),
             QString::fromStdString(manifest.error->message));
    return 1;
  }
  QDir output(output_path);
  if (!output.mkpath(QStringLiteral("."))) {
    Complain(output_path, QStringLiteral("cannot create the output folder"));
    return 1;
  }
  QDir sources = QFileInfo(manifest_path).absoluteDir();
  for (const auto& entry : manifest.entries) {
    if (!RenderEntry(entry, manifest_path, sources, output)) return 1;
  }
  return 0;
}
