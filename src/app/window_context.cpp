#include "app/window_context.h"

#include "platform/toolkit.h"

namespace dsp {

int WindowContext::Say(const BilingualText& message, const BilingualText& caption, MessageButtons buttons) {
  return Toolkit::Dialogs().MessageBox(&Host(), Pick(Language(), message), Pick(Language(), caption), buttons);
}

void WindowContext::Say(const std::string& message) {
  Toolkit::Dialogs().MessageBox(&Host(), message, Pick(Language(), text::kTips), MessageButtons::kOk);
}

}  // namespace dsp
