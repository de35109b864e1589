#pragma once

// Putting a language on the main window's skin: the label table's captions
// and the captions the skin gives in Chinese ("text_zh", "tooltip_zh",
// "items_zh"). The window, the skin preview and the tests all use these.

#include "language/language.h"

namespace dsp {

class Control;
class Window;

// The label table's text of every control it names (a language without a
// text set leaves them as they are).
void ApplyLabelTable(const Window& window, Language language);

// The skin's Chinese captions of `root` and the controls inside it, or
// back to English; the English caption is kept the first time it is
// replaced.
void ApplySkinCaptions(Control& root, Language language);

}  // namespace dsp
