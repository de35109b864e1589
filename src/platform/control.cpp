#include "platform/control.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>

#include "platform/attribute_values.h"
#include "platform/notification.h"
#include "platform/qt_text.h"
#include "platform/toolkit.h"
#include "platform/window.h"

namespace dsp {

Control::Control() = default;

Control::~Control() {
  for (const auto& [id, timer] : timers_) Toolkit::GetClock().StopTimer(timer);
  if (window_ != nullptr) window_->ForgetControl(this);
}

void Control::SetName(std::string name) {
  if (name == name_) return;
  std::string old = std::move(name_);
  name_ = std::move(name);
  setObjectName(ToQt(name_));
  if (window_ != nullptr) window_->RenameControl(this, old);
}

Control* Control::ParentControl() const {
  for (QWidget* up = parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* control = dynamic_cast<Control*>(up)) return control;
  }
  return nullptr;
}

void Control::SetText(std::string_view text) {
  text_ = text;
  update();
}

void Control::SetToolTip(std::string_view text) { setToolTip(ToQt(text)); }

void Control::SetVisible(bool visible) {
  visible_ = visible;
  // Showing a widget without a parent would open it as a window of its
  // own; a control not yet placed takes the flag along (ApplyVisibility).
  if (parentWidget() != nullptr) setVisible(visible);
}

bool Control::IsVisibleInWindow() const {
  for (const Control* control = this; control != nullptr; control = control->ParentControl()) {
    if (!control->visible_) return false;
  }
  return true;
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  setEnabled(enabled);
}

void Control::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "name") SetName(std::string(value));
  else if (name == "text") SetText(value);
  else if (name == "tooltip") SetToolTip(value);
  else if (name == "visible") SetVisible(ParseBool(name, value));
  else if (name == "enabled") SetEnabled(ParseBool(name, value));
  else if (name == "width") SetFixedWidth(ParseInt(name, value));
  else if (name == "height") SetFixedHeight(ParseInt(name, value));
  else if (name == "minwidth") SetSizeLimit(min_size_.rwidth(), ParseInt(name, value));
  else if (name == "minheight") SetSizeLimit(min_size_.rheight(), ParseInt(name, value));
  else if (name == "maxwidth") SetSizeLimit(max_size_.rwidth(), ParseInt(name, value));
  else if (name == "maxheight") SetSizeLimit(max_size_.rheight(), ParseInt(name, value));
  else if (name == "padding") SetPadding(ParseMargins(name, value));
  else if (name == "bkcolor") SetBkColor(ParseColor(name, value));
  else if (name == "bordercolor") SetBorderColor(ParseColor(name, value));
  else if (name == "bordersize") SetBorderSize(ParseInt(name, value));
  else if (name == "textcolor") SetTextColor(ParseColor(name, value));
  else if (name == "font") SetFontIndex(ParseInt(name, value));
  else if (name == "bkimage") {
    RequireSkinImage(name, value);
    SetBkImage(value);
  } else if (name == "foreimage") {
    RequireSkinImage(name, value);
    SetForeImage(value);
  } else {
    SetCustomAttribute(name, value);
  }
}

void Control::ApplyAttributeList(std::string_view list) {
  for (const auto& [name, value] : ParseAttributeList(list)) SetAttribute(name, value);
}

std::optional<std::string> Control::CustomAttribute(std::string_view name) const {
  auto found = custom_.find(name);
  if (found == custom_.end()) return std::nullopt;
  return found->second;
}

void Control::SetCustomAttribute(std::string_view name, std::string_view value) {
  custom_.insert_or_assign(std::string(name), std::string(value));
}

void Control::RemoveCustomAttribute(std::string_view name) {
  auto found = custom_.find(name);
  if (found != custom_.end()) custom_.erase(found);
}

void Control::SetBkColor(QColor color) {
  bk_color_ = color;
  if (content_ != nullptr) {
    QPalette colours = content_->palette();
    colours.setColor(QPalette::Base, color);
    content_->setPalette(colours);
  }
  update();
}

void Control::SetBkImage(std::string_view name) {
  bk_image_name_ = name;
  bk_image_ = LoadSkinImage(name);
  if (bk_image_.IsNull() && !name.empty()) {
    qWarning("dspdesk: image \"%s\" for control \"%s\" is not in the skin folder",
             std::string(name).c_str(), name_.c_str());
  }
  update();
}

void Control::SetBorderColor(QColor color) {
  border_color_ = color;
  if (border_size_ == 0) border_size_ = 1;
  update();
}

void Control::SetBorderSize(int pixels) {
  border_size_ = pixels;
  update();
}

void Control::SetTextColor(QColor color) {
  text_color_ = color;
  ApplyTextColor();
}

void Control::ApplyTextColor() {
  if (!text_color_.isValid()) return;
  QWidget* target = content_ != nullptr ? content_ : this;
  QPalette colours = target->palette();
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    colours.setColor(role, text_color_);
  }
  target->setPalette(colours);
}

void Control::SetForeImage(std::string_view name) {
  fore_image_name_ = name;
  update();
}

void Control::SetFontIndex(int index) {
  font_index_ = index;
  if (window_ != nullptr && index >= 0) setFont(window_->Font(index));
}

void Control::SetFixedWidth(int width) {
  fixed_width_ = width;
  ApplyFixedSize();
}

void Control::SetFixedHeight(int height) {
  fixed_height_ = height;
  ApplyFixedSize();
}

void Control::SetPadding(QMargins padding) {
  padding_ = padding;
  ApplyMargins();
  ApplyFixedSize();
  update();
}

void Control::SetSizeLimit(int& limit, int pixels) {
  limit = pixels;
  ApplyFixedSize();
}

void Control::ApplyFixedSize() {
  // The skin's sizes exclude the padding around the control.
  const int horizontal = padding_.left() + padding_.right();
  const int vertical = padding_.top() + padding_.bottom();
  if (fixed_width_ > 0) {
    setFixedWidth(fixed_width_ + horizontal);
  } else {
    setMinimumWidth(min_size_.width());
    setMaximumWidth(max_size_.width());
  }
  if (fixed_height_ > 0) {
    setFixedHeight(fixed_height_ + vertical);
  } else {
    setMinimumHeight(min_size_.height());
    setMaximumHeight(max_size_.height());
  }
}

QRect Control::RectInWindow() const {
  const QWidget* top = window();
  return QRect(mapTo(top, QPoint(0, 0)), size());
}

QRect Control::ScreenRect() const { return QRect(mapToGlobal(QPoint(0, 0)), size()); }

void Control::SetTimer(std::uint32_t id, int ms) {
  KillTimer(id);
  timers_[id] = Toolkit::GetClock().StartTimer(ms, true, [this, id] {
    if (window_ != nullptr) window_->Dispatch([this, id] { OnTimer(id); });
  });
}

void Control::KillTimer(std::uint32_t id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  Toolkit::GetClock().StopTimer(found->second);
  timers_.erase(found);
}

void Control::OnTimer(std::uint32_t) {}

void Control::SendNotify(std::string_view type, std::uintptr_t wparam, std::intptr_t lparam) {
  if (window_ != nullptr) window_->SendNotify(this, type, wparam, lparam);
}

QWidget* Control::InputWidget() { return content_ != nullptr ? content_ : this; }

void Control::SetContent(QWidget* content) {
  content_ = content;
  auto* layout = new QHBoxLayout(this);
  layout->setSpacing(0);
  layout->addWidget(content);
  ApplyMargins();
  content->installEventFilter(this);
}

void Control::ApplyMargins() {
  if (layout() != nullptr) layout()->setContentsMargins(padding_);
}

QFont Control::WindowFont(int index) const {
  return window_ != nullptr ? window_->Font(index) : font();
}

void Control::PaintBackground(QPainter& painter) {
  const QRect area = PaddedRect();
  if (bk_color_.isValid() && bk_color_.alpha() > 0) painter.fillRect(area, bk_color_);
  bk_image_.Paint(painter, area);
  if (border_color_.isValid() && border_size_ > 0) {
    QPen pen(border_color_, border_size_);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal inset = border_size_ / 2.0;
    painter.drawRect(QRectF(area).adjusted(inset, inset, -inset, -inset));
  }
}

void Control::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBackground(painter);
}

bool Control::HasControlUnder(const QPoint& pos) const {
  for (QWidget* child = childAt(pos); child != nullptr && child != this; child = child->parentWidget()) {
    if (dynamic_cast<Control*>(child) != nullptr) return true;
  }
  return false;
}

void Control::RaiseFocusChange(QEvent::Type type) {
  SendNotify(type == QEvent::FocusIn ? notify::kSetFocus : notify::kKillFocus);
}

bool Control::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Enter:
      SendNotify(notify::kMouseEnter);
      break;
    case QEvent::Leave:
      SendNotify(notify::kMouseLeave);
      break;
    case QEvent::MouseButtonDblClick:
      // The innermost control under the pointer reports the double click.
      if (content_ == nullptr &&
          !HasControlUnder(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        SendNotify(notify::kDbClick);
      }
      break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      if (content_ == nullptr) RaiseFocusChange(event->type());
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

bool Control::eventFilter(QObject* watched, QEvent* event) {
  if (watched == content_) {
    switch (event->type()) {
      case QEvent::MouseButtonDblClick: {
        // Double clicks on rows of a list or tree pass through here on their
        // way up; the control that owns the row has reported them already.
        const QPoint pos = content_->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint());
        if (!HasControlUnder(pos)) SendNotify(notify::kDbClick);
        break;
      }
      case QEvent::FocusIn:
      case QEvent::FocusOut:
        RaiseFocusChange(event->type());
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Control::AttachWindow(Window* window) {
  if (window_ == window) return;
  if (window_ != nullptr) window_->ForgetControl(this);
  window_ = window;
  if (window_ == nullptr) return;
  window_->RememberControl(this);
  if (font_index_ >= 0) setFont(window_->Font(font_index_));
  OnAttached();
}

void Control::DetachWindow() {
  for (const auto& [id, timer] : timers_) Toolkit::GetClock().StopTimer(timer);
  timers_.clear();
  if (window_ != nullptr) window_->ForgetControl(this);
  window_ = nullptr;
}

}  // namespace dsp

