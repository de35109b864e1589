#pragma once

#include <QLineEdit>

#include "platform/control.h"

namespace dsp {

// A one-line text box. Raises "return" on Enter, "setfocus"/"killfocus",
// "direction" for the arrow keys (wParam kVkLeft..kVkDown) and "scroll" for
// the wheel (wParam kScrollUp away from the user, else kScrollDown).
// Attributes: readonly, maxchar, password, align, placeholder (shown grey
// while the box is empty).
class Edit : public Control {
 public:
  Edit();
  std::string_view ClassName() const override { return "Edit"; }
  std::string Text() const override;
  void SetText(std::string_view text) override;
  void SetReadOnly(bool read_only) { edit_->setReadOnly(read_only); }
  void SetAttribute(std::string_view name, std::string_view value) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* edit_;
};

}  // namespace dsp
