#include "platform/menu.h"

#include <QAbstractButton>
#include <QPainter>
#include <algorithm>

#include "platform/qt_text.h"
#include "platform/skin_image.h"

namespace dsp {

class MenuItem::Row : public QAbstractButton {
 public:
  Row() {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }

  QSize sizeHint() const override {
    const QSize text = fontMetrics().size(Qt::TextSingleLine, text_);
    return {TextLeft() + text.width() + 2 * kPadding, std::max(text.height() + kPadding, kIconRow)};
  }

  void SetLabel(const QString& text) {
    text_ = text;
    updateGeometry();
    update();
  }

  void SetIcon(SkinImage icon) {
    icon_ = std::move(icon);
    updateGeometry();
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (underMouse() && isEnabled()) painter.fillRect(rect(), palette().color(QPalette::Highlight));
    if (!icon_.IsNull()) {
      icon_.Paint(painter, QRectF(kPadding, (height() - kIconSize) / 2, kIconSize, kIconSize));
    }
    const auto role = underMouse() && isEnabled() ? QPalette::HighlightedText : QPalette::WindowText;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, role));
    painter.drawText(rect().adjusted(TextLeft(), 0, -kPadding, 0), Qt::AlignLeft | Qt::AlignVCenter, text_);
  }

 private:
  static constexpr int kPadding = 12;
  static constexpr int kIconSize = 18;
  static constexpr int kIconRow = 30;
  // Items of one menu line their texts up whether or not they have icons,
  // as long as the menu gives icons to all or none of them.
  int TextLeft() const { return icon_.IsNull() ? kPadding : 2 * kPadding + kIconSize; }

  QString text_;
  SkinImage icon_;
};

MenuItem::MenuItem() : row_(new Row) {
  SetContent(row_);
  setSizePolicy(row_->sizePolicy());
  QObject::connect(row_, &QAbstractButton::clicked, this, [this] {
    if (auto* menu = dynamic_cast<Menu*>(OwnerWindow())) menu->OnItemClicked(this);
  });
}

void MenuItem::SetText(std::string_view text) {
  Control::SetText(text);
  row_->SetLabel(ToQt(text));
}

void MenuItem::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "icon") row_->SetIcon(RequireSkinImage(name, value));
  else Control::SetAttribute(name, value);
}

Menu::Menu(Window& owner, std::string skin_file) : owner_(owner), skin_file_(std::move(skin_file)) {}

std::unique_ptr<Menu> Menu::Popup(Window& owner, std::string skin_file, QPoint screen_position) {
  auto menu = std::make_unique<Menu>(owner, std::move(skin_file));
  menu->Create(&owner, "");
  menu->Widget()->move(screen_position);
  menu->ShowWindow();
  return menu;
}

void Menu::OnItemClicked(MenuItem* item) {
  // The owner may drop this menu while it handles the item; the menu counts
  // as busy until then, so its widgets outlive the click (see ~Window).
  Window& owner = owner_;
  Dispatch([this, &owner, item] {
    Close(kIdOk);
    owner.SendNotify(item, notify::kItemClick);
  });
}

}  // namespace dsp
