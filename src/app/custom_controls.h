#pragma once

// The controls the program draws itself, by their skin element names
// ("Graph", "Liner", "Knob"). The main window and the skin preview build
// them through here.

#include <memory>
#include <string_view>

#include "platform/control.h"

namespace dsp {

// A new control for a custom element; nullptr for any other name.
std::unique_ptr<Control> CreateCustomControl(std::string_view class_name);

}  // namespace dsp
