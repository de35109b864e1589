#pragma once

namespace dsp {

class Window;

// Puts the texts of one language on a main-window skin the way the program
// does: the program's label table, and for Chinese the skin's "text_zh",
// "tooltip_zh" and "items_zh" (comma-separated combo items) attributes.
void ApplyPreviewLanguage(Window& window, bool chinese);

}  // namespace dsp
