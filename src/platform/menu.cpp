#include "platform/menu.h"

#include <QAbstractButton>
#include <QPainter>

#include "platform/qt_text.h"

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
    return {text.width() + 2 * kPadding, text.height() + kPadding};
  }

  void SetLabel(const QString& text) {
    text_ = text;
    updateGeometry();
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (underMouse() && isEnabled()) painter.fillRect(rect(), palette().color(QPalette::Highlight));
    const auto role = underMouse() && isEnabled() ? QPalette::HighlightedText : QPalette::WindowText;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, role));
    painter.drawText(rect().adjusted(kPadding, 0, -kPadding, 0), Qt::AlignLeft | Qt::AlignVCenter, text_);
  }

 private:
  static constexpr int kPadding = 12;
  QString text_;
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
