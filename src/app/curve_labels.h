#pragma once

// The axis titles of the dynamics pages' curves in each language: the
// output level's above the curve, the input level's below it. In English
// they are blanks, which keep the titles' room free.

#include "language/language.h"

namespace dsp {

class Window;

// Puts the titles of `language` on the curves the window has; a language
// without a text set changes nothing.
void ApplyCurveLabels(const Window& window, Language language);

}  // namespace dsp
