#pragma once

// The captions the program writes over the skin's texts when it applies a
// language, by control name. A few English captions are Russian and two are
// blanks (the scan and set buttons show only their images in English).

#include <map>
#include <optional>
#include <string>

#include "language/language.h"

namespace dsp {

const std::map<std::string, BilingualText>& LabelTable();

// The table's text of `control` in `language`; nothing for a control the
// table does not name, or a language without a text set.
std::optional<std::string> LabelText(const std::string& control, Language language);

// The text of a device's sync indicator label.
std::string SyncIndicatorText(Language language);

}  // namespace dsp
