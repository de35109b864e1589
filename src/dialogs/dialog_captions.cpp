#include "dialogs/dialog_captions.h"

#include "platform/window.h"

namespace dsp {

void ShowCaptions(Window& dialog, std::span<const DialogCaption> captions, int language) {
  const std::size_t column = language == 1 ? 1 : 0;
  for (const DialogCaption& caption : captions) {
    if (Control* control = dialog.FindControl(caption.control)) control->SetText(caption.text[column]);
  }
}

}  // namespace dsp
