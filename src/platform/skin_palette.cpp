#include "platform/skin_palette.h"

#include <QApplication>
#include <QStyle>
#include <string>

#include "platform/attribute_values.h"

namespace dsp {
namespace {

QPalette Dark() {
  QPalette palette;
  const QColor window(0x2B, 0x2B, 0x2B);
  const QColor base(0x1E, 0x1E, 0x1E);
  const QColor text(0xE0, 0xE0, 0xE0);
  const QColor disabled_text(0x80, 0x80, 0x80);
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::AlternateBase, window);
  palette.setColor(QPalette::ToolTipBase, window);
  palette.setColor(QPalette::ToolTipText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::BrightText, Qt::white);
  palette.setColor(QPalette::Highlight, QColor(0x2F, 0x8F, 0xDD));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
  palette.setColor(QPalette::Midlight, QColor(0x44, 0x44, 0x44));
  palette.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x30));
  palette.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
  palette.setColor(QPalette::Shadow, Qt::black);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, disabled_text);
  }
  return palette;
}

}  // namespace

QPalette SkinPalette(std::string_view name) {
  if (name == "dark") return Dark();
  if (name == "light") return QApplication::style()->standardPalette();
  throw AttributeError("palette=\"" + std::string(name) + "\": expected light or dark");
}

}  // namespace dsp
