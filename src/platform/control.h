#pragma once

#include <QColor>
#include <QEvent>
#include <QMargins>
#include <QWidget>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/skin_image.h"

namespace dsp {

class Window;

// A named element of a skinned window. Every control is a QWidget; the typed
// controls (Button, Edit, Slider, ...) hold a standard Qt widget as their
// content, and custom controls derive from Control directly and paint
// themselves. Controls are owned by the widget tree of their window.
//
// Setting a value from code never raises a notification unless a setter's
// `notify` argument asks for it; notifications come from what the user does.
class Control : public QWidget {
 public:
  Control();
  ~Control() override;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // The skin element name of this kind of control, e.g. "Button".
  virtual std::string_view ClassName() const { return "Control"; }

  const std::string& Name() const { return name_; }
  void SetName(std::string name);
  Window* OwnerWindow() const { return window_; }
  // The nearest enclosing control, or nullptr for a window's root.
  Control* ParentControl() const;

  virtual std::string Text() const { return text_; }
  virtual void SetText(std::string_view text);
  void SetToolTip(std::string_view text);

  // The control's own visibility flag, as the skin or code last set it.
  bool IsVisible() const { return visible_; }
  void SetVisible(bool visible);
  // Visible on its window: this control and every control around it.
  bool IsVisibleInWindow() const;
  // Shows or hides the Qt widget by the visibility flag; containers call it
  // on controls they take in, since Qt shows a widget added to a window
  // that is already shown only later.
  void ApplyVisibility() {
    if (parentWidget() != nullptr) setVisible(visible_);
  }
  bool IsEnabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  void Invalidate() { update(); }

  // Applies one skin attribute. The attributes every control knows are
  // handled here; anything else is kept as a custom attribute. Subclasses
  // handle their own names first and pass the rest on. Throws
  // AttributeError for a value that does not fit the attribute.
  virtual void SetAttribute(std::string_view name, std::string_view value);
  // Applies `name="x" text="y" ...` attribute by attribute, in order.
  void ApplyAttributeList(std::string_view list);
  std::optional<std::string> CustomAttribute(std::string_view name) const;
  void SetCustomAttribute(std::string_view name, std::string_view value);
  void RemoveCustomAttribute(std::string_view name);

  QColor BkColor() const { return bk_color_; }
  // Fills the control; text boxes, lists and trees also take it as the
  // colour behind their text.
  void SetBkColor(QColor color);
  const std::string& BkImage() const { return bk_image_name_; }
  // An image that is not in the skin folder is reported and not drawn.
  void SetBkImage(std::string_view name);
  QColor BorderColor() const { return border_color_; }
  void SetBorderColor(QColor color);
  void SetBorderSize(int pixels);
  // Colour of this control's own text; unlike Qt palettes it is not passed
  // on to the controls inside a container.
  QColor TextColor() const { return text_color_; }
  void SetTextColor(QColor color);
  const std::string& ForeImage() const { return fore_image_name_; }
  void SetForeImage(std::string_view name);
  // Index of one of the window's <Font> elements; -1 is the window's default.
  int FontIndex() const { return font_index_; }
  void SetFontIndex(int index);

  // Fixed size in pixels, 0 when the layout decides.
  int FixedWidth() const { return fixed_width_; }
  void SetFixedWidth(int width);
  int FixedHeight() const { return fixed_height_; }
  void SetFixedHeight(int height);
  // Space kept free around the control inside its parent.
  QMargins Padding() const { return padding_; }
  void SetPadding(QMargins padding);

  QRect RectInWindow() const;
  QRect ScreenRect() const;

  // Control timers: OnTimer(id) runs every `ms` while the control is on a
  // window, until KillTimer; arming a running identifier restarts it.
  void SetTimer(std::uint32_t id, int ms);
  void KillTimer(std::uint32_t id);

  // Raises a notification with this control as the sender on its window.
  void SendNotify(std::string_view type, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);

  // The widget that takes the user's clicks and keys (tests aim at it).
  virtual QWidget* InputWidget();
  // A point of a part that moves inside the control (a handle of a drawn
  // control), by the part's name, for tests and scenarios to aim at;
  // nothing for a name the control does not know.
  virtual std::optional<QPoint> NamedPoint(std::string_view) const { return std::nullopt; }

 protected:
  virtual void OnTimer(std::uint32_t id);
  // Installs the Qt widget that shows this control, filling it.
  void SetContent(QWidget* content);
  QWidget* Content() const { return content_; }
  // Colour, image and border of the control, as every control draws them.
  void PaintBackground(QPainter& painter);
  QRect PaddedRect() const { return rect().marginsRemoved(padding_); }
  QFont WindowFont(int index) const;
  // Re-applies padding (and a container's inset) to the control's layout.
  virtual void ApplyMargins();
  // Called when the control joins a window (fonts become available).
  virtual void OnAttached() {}
  // Gives the Qt widgets of this control its text colour.
  virtual void ApplyTextColor();

  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class Window;
  friend class Container;
  void AttachWindow(Window* window);
  void DetachWindow();
  void ApplyFixedSize();
  void SetSizeLimit(int& limit, int pixels);
  bool HasControlUnder(const QPoint& pos) const;
  void RaiseFocusChange(QEvent::Type type);

  std::string name_;
  std::string text_;
  Window* window_ = nullptr;
  QWidget* content_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  QColor bk_color_;
  QColor border_color_;
  QColor text_color_;
  int border_size_ = 0;
  std::string bk_image_name_;
  SkinImage bk_image_;
  std::string fore_image_name_;
  int font_index_ = -1;
  int fixed_width_ = 0;
  int fixed_height_ = 0;
  QSize min_size_{0, 0};
  QSize max_size_{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
  QMargins padding_;
  std::map<std::string, std::string, std::less<>> custom_;
  std::map<std::uint32_t, Clock::TimerId> timers_;
};

}  // namespace dsp
