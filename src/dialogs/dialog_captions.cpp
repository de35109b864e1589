#include "dialogs/dialog_captions.h"

#include "platform/window.h"

namespace dsp {

void ShowCaptions(Window& dialog, std::span<const DialogCaption> captions, Language language) {
  for (const DialogCaption& caption : captions) {
    if (Control* control = dialog.FindControl(caption.control)) control->SetText(Pick(language, caption.text));
  }
}

}  // namespace dsp
