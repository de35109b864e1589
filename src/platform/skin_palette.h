#pragma once

#include <QPalette>
#include <string_view>

namespace dsp {

// The colours the Qt widgets of a window (text boxes, lists, combos,
// sliders) are drawn with, chosen by a window skin's palette="..."
// attribute: "light" (the style's own) or "dark". Throws AttributeError for
// any other name.
QPalette SkinPalette(std::string_view name);

}  // namespace dsp
