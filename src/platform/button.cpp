#include "platform/button.h"

#include <QPainter>

#include "platform/attribute_values.h"
#include "platform/notification.h"
#include "platform/qt_text.h"

namespace dsp {
namespace {

class ButtonFace : public QPushButton {
 public:
  explicit ButtonFace(const Button& owner) : owner_(owner) { setAttribute(Qt::WA_Hover); }

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (!owner_.Images().Any() && !owner_.BkColor().isValid() && owner_.BkImage().empty()) {
      QPushButton::paintEvent(event);
      return;
    }
    QPainter painter(this);
    PaintButtonFace(painter, *this, owner_.Images().For(*this), rect(), owner_.TextAlignment());
  }

 private:
  const Button& owner_;
};

}  // namespace

Button::Button() : button_(new ButtonFace(*this)) {
  SetContent(button_);
  setSizePolicy(button_->sizePolicy());
  // The face fills whatever size the skin gives the control.
  button_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  QObject::connect(button_, &QPushButton::clicked, this, [this] { OnClicked(); });
}

void Button::OnClicked() { SendNotify(notify::kClick); }

void Button::SetText(std::string_view text) {
  Control::SetText(text);
  button_->setText(ToQt(text));
}

void Button::SetImage(StateImages::State state, std::string_view name) {
  images_.Set(state, name);
  button_->update();
}

void Button::SetAttribute(std::string_view name, std::string_view value) {
  using State = StateImages::State;
  auto image = [&](State state) {
    RequireSkinImage(name, value);
    SetImage(state, value);
  };
  if (name == "normalimage") image(State::kNormal);
  else if (name == "hotimage") image(State::kHot);
  else if (name == "pushedimage") image(State::kPushed);
  else if (name == "disabledimage") image(State::kDisabled);
  else if (name == "align") alignment_ = ParseAlignment(name, value);
  else Control::SetAttribute(name, value);
}

}  // namespace dsp
