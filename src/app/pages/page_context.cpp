#include "app/pages/page_context.h"

#include "platform/toolkit.h"

namespace dsp {

void PageContext::Tell(const std::string& message) {
  Toolkit::Dialogs().MessageBox(&Host(), message, Pick(Language(), text::kTips), MessageButtons::kOk);
}

}  // namespace dsp
