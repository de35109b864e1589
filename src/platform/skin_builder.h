#pragma once

#include <QFont>
#include <QPalette>
#include <QSize>
#include <map>
#include <memory>
#include <optional>

#include "platform/control.h"
#include "platform/skin_element.h"

namespace dsp {

class Window;

// What a window's skin file describes.
struct WindowSkin {
  std::unique_ptr<Control> root;
  QSize size;      // invalid when the skin gives none
  QSize min_size;  // likewise
  std::optional<QPalette> palette;
  std::map<int, QFont> fonts;
  std::optional<QFont> default_font;
};

// Builds the control tree of a skin whose root element is <Window> or
// <Menu>: window attributes (size, minsize, palette) and <Font> elements are taken
// from the root, every other attribute of the root styles the root control
// (a vertical layout). Custom elements come from window.CreateControl.
// Throws SkinError for unknown elements, bad attribute values, elements
// where they cannot go and names used twice.
WindowSkin BuildWindowSkin(Window& window, const SkinElement& root);

}  // namespace dsp
