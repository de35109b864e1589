#include "platform/edit.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include "platform/attribute_values.h"
#include "platform/messages.h"
#include "platform/notification.h"
#include "platform/qt_text.h"

namespace dsp {
namespace {

std::uintptr_t DirectionKey(int key) {
  switch (key) {
    case Qt::Key_Left: return kVkLeft;
    case Qt::Key_Up: return kVkUp;
    case Qt::Key_Right: return kVkRight;
    case Qt::Key_Down: return kVkDown;
    default: return 0;
  }
}

}  // namespace

Edit::Edit() : edit_(new QLineEdit) {
  SetContent(edit_);
  setSizePolicy(edit_->sizePolicy());
  QObject::connect(edit_, &QLineEdit::returnPressed, this, [this] { SendNotify(notify::kReturn); });
}

std::string Edit::Text() const { return ToStd(edit_->text()); }

void Edit::SetText(std::string_view text) {
  Control::SetText(text);
  edit_->setText(ToQt(text));
}

void Edit::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "readonly") edit_->setReadOnly(ParseBool(name, value));
  else if (name == "maxchar") edit_->setMaxLength(ParseInt(name, value));
  else if (name == "password") edit_->setEchoMode(ParseBool(name, value) ? QLineEdit::Password : QLineEdit::Normal);
  else if (name == "align") edit_->setAlignment(ParseAlignment(name, value));
  else if (name == "placeholder") edit_->setPlaceholderText(ToQt(value));
  else Control::SetAttribute(name, value);
}

bool Edit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (const std::uintptr_t vk = DirectionKey(key); vk != 0) {
      SendNotify(notify::kDirection, vk);
      // Up and down mean nothing to a one-line edit; keep them from the window.
      if (key == Qt::Key_Up || key == Qt::Key_Down) return true;
    }
  }
  if (watched == edit_ && event->type() == QEvent::Wheel) {
    const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
    if (delta != 0) SendNotify(notify::kScroll, delta > 0 ? kScrollUp : kScrollDown);
    return true;
  }
  return Control::eventFilter(watched, event);
}

}  // namespace dsp
