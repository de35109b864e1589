#pragma once

// The captions the program writes over the skin's texts when it applies a
// language: control name -> {Chinese, English}. A few English captions are
// Russian and two are blanks (the scan and set buttons show only their
// images in English).

#include <array>
#include <map>
#include <string>

namespace dsp {

using LabelTexts = std::array<std::string, 2>;

const std::map<std::string, LabelTexts>& LabelTable();

// The text of a device's sync indicator label.
std::string SyncIndicatorText(int language);

}  // namespace dsp
