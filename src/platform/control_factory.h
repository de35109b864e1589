#pragma once

#include <memory>
#include <string_view>

#include "platform/control.h"

namespace dsp {

class Window;

// A new control for a skin element name: one of the binding's own classes,
// else whatever `window`'s CreateControl makes of it (may be null), else null.
std::unique_ptr<Control> CreateControlByClass(Window* window, std::string_view class_name);

}  // namespace dsp
