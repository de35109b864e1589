#pragma once

// Putting a language on the main window's skin: the label table's captions
// and the captions the skin gives in Chinese ("text_zh", "tooltip_zh",
// "items_zh"). The window, the skin preview and the tests all use these.

namespace dsp {

class Control;
class Window;

// The label table's text of every control it names (language 0 or 1;
// another value leaves them as they are).
void ApplyLabelTable(const Window& window, int language);

// The skin's Chinese captions of `root` and the controls inside it, or
// back to English; the English caption is kept the first time it is
// replaced.
void ApplySkinCaptions(Control& root, int language);

}  // namespace dsp
