#pragma once

// The captions a dialog writes in the interface's language when it opens.

#include <span>

#include "language/language.h"

namespace dsp {

class Window;

struct DialogCaption {
  const char* control;
  BilingualText text;
};

// Controls the skin lacks are skipped.
void ShowCaptions(Window& dialog, std::span<const DialogCaption> captions, Language language);

}  // namespace dsp
