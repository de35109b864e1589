#include "demo/demo_dialog.h"

namespace dsp {

void DemoDialog::Notify(Notification& notification) {
  if (notification.type != notify::kClick) return;
  if (notification.sender->Name() == "button_dialog_ok") Close(kIdOk);
  else if (notification.sender->Name() == "button_dialog_cancel") Close(kIdCancel);
}

}  // namespace dsp
