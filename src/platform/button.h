#pragma once

#include <QPushButton>

#include "platform/control.h"
#include "platform/state_images.h"

namespace dsp {

// A push button raising "click". With any of the attributes normalimage,
// hotimage, pushedimage, disabledimage it is drawn from those images (the
// normal one stands in for a missing state); with a bkcolor or bkimage it is
// drawn flat on it; otherwise by the Qt style.
// Attributes also: align (text alignment on an image button).
class Button : public Control {
 public:
  Button();
  std::string_view ClassName() const override { return "Button"; }
  void SetText(std::string_view text) override;
  void SetAttribute(std::string_view name, std::string_view value) override;

  void SetNormalImage(std::string_view name) { SetImage(StateImages::State::kNormal, name); }
  void SetHotImage(std::string_view name) { SetImage(StateImages::State::kHot, name); }
  void SetPushedImage(std::string_view name) { SetImage(StateImages::State::kPushed, name); }
  void SetDisabledImage(std::string_view name) { SetImage(StateImages::State::kDisabled, name); }
  const std::string& NormalImage() const { return images_.Name(StateImages::State::kNormal); }
  const std::string& HotImage() const { return images_.Name(StateImages::State::kHot); }
  const std::string& PushedImage() const { return images_.Name(StateImages::State::kPushed); }

  const StateImages& Images() const { return images_; }
  Qt::Alignment TextAlignment() const { return alignment_; }

 protected:
  // What a click on the button reports; header items report "headerclick".
  virtual void OnClicked();

 private:
  void SetImage(StateImages::State state, std::string_view name);

  StateImages images_;
  Qt::Alignment alignment_ = Qt::AlignCenter;
  QPushButton* button_;
};

}  // namespace dsp
