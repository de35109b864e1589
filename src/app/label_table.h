#pragma once

// The captions the program writes over the skin's texts when it applies a
// language: control name -> {Chinese, English}. A few English captions are
// Russian and two are blanks (the scan and set buttons show only their
// images in English).

#include <array>
#include <map>
#include <optional>
#include <string>

namespace dsp {

using LabelTexts = std::array<std::string, 2>;

const std::map<std::string, LabelTexts>& LabelTable();

// The table's text of `control` in `language`; nothing for a control the
// table does not name, or a language other than 0 and 1.
std::optional<std::string> LabelText(const std::string& control, int language);

// The text of a device's sync indicator label.
std::string SyncIndicatorText(int language);

}  // namespace dsp
