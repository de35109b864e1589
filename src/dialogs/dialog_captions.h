#pragma once

// The captions a dialog writes in the interface's language when it opens.

#include <array>
#include <span>

namespace dsp {

class Window;

struct DialogCaption {
  const char* control;
  std::array<const char*, 2> text;  // Chinese, English
};

// Language 1 is English; any other value is Chinese. Controls the skin
// lacks are skipped.
void ShowCaptions(Window& dialog, std::span<const DialogCaption> captions, int language);

}  // namespace dsp
