#include "skin_preview/preview_window.h"

#include <array>

#include "skin_preview/placeholder_control.h"

namespace dsp {

std::unique_ptr<Control> PreviewWindow::CreateControl(std::string_view class_name) {
  static constexpr std::array<std::string_view, 3> kCustomClasses = {"Graph", "Liner", "Knob"};
  for (std::string_view custom : kCustomClasses) {
    if (class_name == custom) return std::make_unique<PlaceholderControl>(std::string(class_name));
  }
  return nullptr;
}

}  // namespace dsp
