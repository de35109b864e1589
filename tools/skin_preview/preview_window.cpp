#include "skin_preview/preview_window.h"

#include "app/custom_controls.h"

namespace dsp {

std::unique_ptr<Control> PreviewWindow::CreateControl(std::string_view class_name) {
  return CreateCustomControl(class_name);
}

}  // namespace dsp
