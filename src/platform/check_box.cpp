#include "platform/check_box.h"

#include <QButtonGroup>
#include <QPainter>

#include "platform/attribute_values.h"
#include "platform/notification.h"
#include "platform/qt_text.h"
#include "platform/window.h"

namespace dsp {
namespace {

// Tells a toggle by the user (mouse, keyboard) from one made by code:
// nextCheckState is only called for the former.
class CheckFace : public QCheckBox {
 public:
  explicit CheckFace(const CheckBox& owner) : owner_(owner) { setAttribute(Qt::WA_Hover); }

  bool TakeUserToggle() {
    const bool toggled = user_toggled_;
    user_toggled_ = false;
    return toggled;
  }

 protected:
  // The whole control answers to the mouse, not just the box and its text.
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

  void nextCheckState() override {
    const bool before = isChecked();
    QCheckBox::nextCheckState();
    user_toggled_ = isChecked() != before;
  }

  void paintEvent(QPaintEvent* event) override {
    const SkinImage& image = owner_.ImageFor(isChecked());
    if (image.IsNull()) {
      QCheckBox::paintEvent(event);
      return;
    }
    QPainter painter(this);
    if (text().isEmpty()) {
      image.Paint(painter, rect());
      return;
    }
    const int side = std::min(height(), 16);
    const QRect indicator(0, (height() - side) / 2, side, side);
    image.Paint(painter, indicator);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect().adjusted(side + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text());
  }

 private:
  const CheckBox& owner_;
  bool user_toggled_ = false;
};

}  // namespace

CheckBox::CheckBox() : box_(new CheckFace(*this)) {
  SetContent(box_);
  setSizePolicy(box_->sizePolicy());
  // The face fills whatever size the skin gives the control.
  box_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  QObject::connect(box_, &QCheckBox::clicked, this, [this] {
    const bool changed = static_cast<CheckFace*>(box_)->TakeUserToggle();
    SendNotify(notify::kClick);
    if (changed) SendNotify(notify::kSelectChanged);
  });
}

bool CheckBox::Check() const { return box_->isChecked(); }

void CheckBox::SetCheck(bool checked, bool notify) {
  if (box_->isChecked() == checked) return;
  // An exclusive group refuses to uncheck its checked member; code may.
  QButtonGroup* group = box_->group();
  const bool exclusive = group != nullptr && group->exclusive();
  if (exclusive && !checked) group->setExclusive(false);
  box_->setChecked(checked);
  if (exclusive && !checked) group->setExclusive(true);
  if (notify) SendNotify(notify::kSelectChanged);
}

void CheckBox::SetNormalImage(std::string_view name) {
  normal_image_ = LoadSkinImage(name);
  box_->update();
}

void CheckBox::SetSelectedImage(std::string_view name) {
  selected_image_ = LoadSkinImage(name);
  box_->update();
}

void CheckBox::SetText(std::string_view text) {
  Control::SetText(text);
  box_->setText(ToQt(text));
}

void CheckBox::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "selected") {
    SetCheck(ParseBool(name, value));
  } else if (name == "group") {
    group_ = value;
    OnAttached();
  } else if (name == "normalimage") {
    normal_image_ = RequireSkinImage(name, value);
  } else if (name == "selectedimage") {
    selected_image_ = RequireSkinImage(name, value);
  } else {
    Control::SetAttribute(name, value);
  }
}

void CheckBox::OnAttached() {
  if (group_.empty() || OwnerWindow() == nullptr) return;
  QButtonGroup* group = OwnerWindow()->ButtonGroup(group_);
  if (box_->group() != group) group->addButton(box_);
}

}  // namespace dsp
