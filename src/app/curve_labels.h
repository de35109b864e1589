#pragma once

// The axis titles of the dynamics pages' curves in each language: the
// output level's above the curve, the input level's below it. In English
// they are blanks, which keep the titles' room free.

#include <array>
#include <map>
#include <string>

namespace dsp {

class Window;

// Curve -> {output title in Chinese, in English, input title in Chinese,
// in English}: a language's output title is at its index, its input
// title two further on.
const std::map<std::string, std::array<std::string, 4>>& CurveLabelTable();

// Puts the titles of `language` on the curves the window has; a language
// other than 0 and 1 changes nothing.
void ApplyCurveLabels(const Window& window, int language);

}  // namespace dsp
