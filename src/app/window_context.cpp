#include "app/window_context.h"

#include "platform/toolkit.h"

namespace dsp {

int WindowContext::Say(const BilingualText& message, const BilingualText& caption, MessageButtons buttons) {
  return Toolkit::Dialogs().MessageBox(&Host(), Pick(InterfaceLanguage(), message), Pick(InterfaceLanguage(), caption),
                                       buttons);
}

void WindowContext::Say(const std::string& message) {
  Toolkit::Dialogs().MessageBox(&Host(), message, Pick(InterfaceLanguage(), text::kTips), MessageButtons::kOk);
}

}  // namespace dsp
