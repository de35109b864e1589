#pragma once

namespace dsp {

class Window;

// Puts the texts of one language on a main-window skin the way the program
// will: the program's own label table (a copy kept here so the preview shows
// the real captions), and for Chinese the skin's "text_zh", "tooltip_zh" and
// "items_zh" (comma-separated combo items) attributes.
void ApplyPreviewLanguage(Window& window, bool chinese);

}  // namespace dsp
