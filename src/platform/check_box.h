#pragma once

#include <QCheckBox>

#include "platform/control.h"
#include "platform/skin_image.h"

namespace dsp {

// A check box. The user's click raises "click" and then, when the state
// changed, "selectchanged". Attributes: selected, group (check boxes of one
// group on a window exclude each other, like radio buttons), normalimage and
// selectedimage (drawn instead of the style's indicator; without text the
// image fills the control).
class CheckBox : public Control {
 public:
  CheckBox();
  std::string_view ClassName() const override { return "CheckBox"; }

  bool Check() const;
  // Sets the state from code; raises "selectchanged" only when `notify` is
  // set and the state changed.
  void SetCheck(bool checked, bool notify = false);

  void SetNormalImage(std::string_view name);
  void SetSelectedImage(std::string_view name);
  const SkinImage& ImageFor(bool checked) const { return checked ? selected_image_ : normal_image_; }

  void SetText(std::string_view text) override;
  void SetAttribute(std::string_view name, std::string_view value) override;

 protected:
  void OnAttached() override;

 private:
  QCheckBox* box_;
  std::string group_;
  SkinImage normal_image_;
  SkinImage selected_image_;
};

}  // namespace dsp
