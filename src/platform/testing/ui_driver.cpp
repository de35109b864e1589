#include "platform/testing/ui_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest/QTest>

#include "platform/check_box.h"
#include "platform/combo.h"
#include "platform/edit.h"
#include "platform/list.h"
#include "platform/qt_text.h"
#include "platform/scroll_view.h"
#include "platform/tree_view.h"
#include "platform/window.h"

namespace dsp {
namespace {

Qt::Key QtKey(UiKey key) {
  switch (key) {
    case UiKey::kUp: return Qt::Key_Up;
    case UiKey::kDown: return Qt::Key_Down;
    case UiKey::kLeft: return Qt::Key_Left;
    case UiKey::kRight: return Qt::Key_Right;
    case UiKey::kEnter: return Qt::Key_Return;
    case UiKey::kEscape: return Qt::Key_Escape;
    case UiKey::kTab: return Qt::Key_Tab;
  }
  return Qt::Key_unknown;
}

// QTest types only what a US keyboard has keys for (anything else trips
// its assertion); other characters arrive as a key event carrying just
// their text, as an input method delivers them.
void TypeText(QWidget* target, const QString& text) {
  for (const char32_t code : text.toUcs4()) {
    if (code < 0x80) {
      QTest::keyClick(target, static_cast<char>(code));
      continue;
    }
    const QString character = QString::fromUcs4(&code, 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
    QApplication::sendEvent(target, &release);
  }
}

// Input goes to the active window, as it does for a user.
void Activate(QWidget* widget) {
  QWidget* top = widget->window();
  if (top->isActiveWindow()) return;
  top->activateWindow();
  QCoreApplication::processEvents();
}

// Mouse input goes through the window, as a user's does: Qt finds the
// widget under the pointer and keeps hover and focus state right.
void ClickAt(QWidget* widget, QPoint point) {
  QWidget* top = widget->window();
  Activate(top);
  QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, widget->mapTo(top, point));
}

void DoubleClickAt(QWidget* widget, QPoint point) {
  QWidget* top = widget->window();
  Activate(top);
  QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, widget->mapTo(top, point));
}

// A point of a list or tree row where a click selects the row rather than
// landing on an edit or button inside it. Only the part of the row its
// scroll area shows takes clicks.
QPoint RowPoint(QWidget* row) {
  const QRect shown = row->visibleRegion().boundingRect();
  if (shown.isEmpty()) throw UiActionError("the row is scrolled out of view");
  const int y = shown.center().y();
  for (int x : {shown.right() - 1, shown.left() + 2, shown.center().x()}) {
    QWidget* hit = row->childAt(x, y);
    if (hit == nullptr || qobject_cast<QLabel*>(hit) != nullptr || hit->focusPolicy() == Qt::NoFocus) return {x, y};
  }
  throw UiActionError("every part of the row takes the click itself");
}

QPoint Centre(const QWidget* widget) { return widget->rect().center(); }

// Whether the widget's centre is inside every widget around it up to its
// window: a control scrolled out of its scroll area is not under the
// pointer, and a click there would hit whatever is shown instead.
bool CentreInView(const QWidget* widget) {
  for (const QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (!up->rect().contains(widget->mapTo(up, Centre(widget)))) return false;
    if (up->isWindow()) break;
  }
  return true;
}

// What the pointer actions (click, hover, typing, wheel) aim at: the input
// widget of a usable control, whose centre must be in view.
QWidget* Pointable(Control& usable, std::string_view name) {
  QWidget* target = usable.InputWidget();
  if (!CentreInView(target)) throw UiActionError("\"" + std::string(name) + "\" is scrolled out of view");
  return target;
}

// Whether `top` is the modal widget or a window opened from it.
bool OpensFrom(const QWidget* top, const QWidget* modal) {
  for (const QWidget* up = top; up != nullptr; up = up->parentWidget()) {
    if (up == modal) return true;
  }
  return false;
}

void SelectComboItem(Combo& combo, int index) {
  auto* box = dynamic_cast<QComboBox*>(combo.InputWidget());
  if (index < 0 || index >= box->count()) {
    throw UiActionError("combo \"" + combo.Name() + "\" has no item " + std::to_string(index));
  }
  Activate(box);
  box->showPopup();
  QCoreApplication::processEvents();
  QAbstractItemView* view = box->view();
  const QRect item = view->visualRect(box->model()->index(index, 0));
  ClickAt(view->viewport(), item.center());
  if (view->isVisible()) box->hidePopup();
}

}  // namespace

Control* UiDriver::Find(std::string_view name) const {
  Control* hidden = nullptr;
  for (Window* window : Window::AllWindows()) {
    Control* control = window->FindControl(name);
    if (control == nullptr) continue;
    if (window->IsShown()) return control;
    if (hidden == nullptr) hidden = control;
  }
  return hidden;
}

Control& UiDriver::Get(std::string_view name) const {
  Control* control = Find(name);
  if (control == nullptr) throw UiActionError("no control named \"" + std::string(name) + "\"");
  return *control;
}

Control& UiDriver::Usable(std::string_view name) const {
  Control& control = Get(name);
  const Window* window = control.OwnerWindow();
  if (window == nullptr || !window->IsShown()) {
    throw UiActionError("the window of \"" + std::string(name) + "\" is not shown");
  }
  const QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && !OpensFrom(control.window(), modal)) {
    throw UiActionError("\"" + std::string(name) + "\" is behind the modal dialog \"" +
                        modal->windowTitle().toStdString() + "\"");
  }
  FlushPendingLayouts();
  if (!control.isVisible()) throw UiActionError("\"" + std::string(name) + "\" is hidden");
  if (!control.isEnabled()) throw UiActionError("\"" + std::string(name) + "\" is disabled");
  return control;
}

void UiDriver::Click(std::string_view name) const {
  QWidget* target = Pointable(Usable(name), name);
  ClickAt(target, Centre(target));
}

void UiDriver::DoubleClick(std::string_view name) const {
  QWidget* target = Pointable(Usable(name), name);
  DoubleClickAt(target, Centre(target));
}

void UiDriver::Hover(std::string_view name) const {
  QWidget* target = Pointable(Usable(name), name);
  QWidget* top = target->window();
  Activate(top);
  // Through the window, so Qt works out who the mouse left and entered.
  QTest::mouseMove(top->windowHandle(), target->mapTo(top, Centre(target)));
}

void UiDriver::Select(std::string_view name, int index) const {
  Control& control = Usable(name);
  if (auto* combo = dynamic_cast<Combo*>(&control)) {
    SelectComboItem(*combo, index);
  } else if (auto* tree = dynamic_cast<TreeView*>(&control)) {
    TreeNode* node = tree->NodeAt(index);
    if (node == nullptr || !node->isVisible()) {
      throw UiActionError("tree \"" + std::string(name) + "\" shows no node " + std::to_string(index));
    }
    ClickAt(node->InputWidget(), RowPoint(node->InputWidget()));
  } else if (auto* list = dynamic_cast<List*>(&control)) {
    ListItem* item = list->Item(index);
    if (item == nullptr || !item->isVisible()) {
      throw UiActionError("list \"" + std::string(name) + "\" shows no row " + std::to_string(index));
    }
    ClickAt(item, RowPoint(item));
  } else {
    throw UiActionError("\"" + std::string(name) + "\" is a " + std::string(control.ClassName()) +
                        ", not a combo, tree or list");
  }
}

void UiDriver::SetCheck(std::string_view name, bool on) const {
  auto& box = Get<CheckBox>(name);
  if (box.Check() == on) return;
  Click(name);
  if (box.Check() != on) throw UiActionError("clicking \"" + std::string(name) + "\" did not change it");
}

void UiDriver::Type(std::string_view name, std::string_view text) const {
  auto& edit = Get<Edit>(name);
  QWidget* target = Pointable(Usable(name), name);
  ClickAt(target, Centre(target));
  QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(target, Qt::Key_Delete);
  TypeText(target, ToQt(text));
  if (edit.Text() != text) {
    throw UiActionError("typing into \"" + std::string(name) + "\" left \"" + edit.Text() + "\"");
  }
  QTest::keyClick(target, Qt::Key_Return);
}

void UiDriver::Key(std::string_view name, UiKey key) const {
  QWidget* target = Usable(name).InputWidget();
  QWidget* top = target->window();
  Activate(top);
  if (!target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
  // Through the window: keys the focused widget does not take travel on to
  // its window (Esc reaches HandleMessage as kWmChar).
  QTest::keyClick(top->windowHandle(), QtKey(key));
}

// A user's wheel step reaches the widget under the pointer and travels up
// its parents until one takes it (a list's rows pass it on to the list's
// scroll area); an event sent from code would stop at the first widget.
void UiDriver::Wheel(std::string_view name, bool up) const {
  QWidget* target = Pointable(Usable(name), name);
  Activate(target);
  const QPoint global = target->mapToGlobal(Centre(target));
  QWidget* under = target->childAt(Centre(target));
  for (QWidget* widget = under != nullptr ? under : target; widget != nullptr; widget = widget->parentWidget()) {
    QWheelEvent wheel(widget->mapFromGlobal(QPointF(global)), QPointF(global), QPoint(), QPoint(0, up ? 120 : -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    const bool taken = QCoreApplication::sendEvent(widget, &wheel) && wheel.isAccepted();
    if (taken || widget->isWindow() || widget->testAttribute(Qt::WA_NoMousePropagation)) return;
  }
}

void UiDriver::Drag(std::string_view name, QPoint from, QPoint to) const {
  QWidget* target = Usable(name).InputWidget();
  QWidget* top = target->window();
  Activate(top);
  QWindow* window = top->windowHandle();
  constexpr int kMoves = 4;
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, target->mapTo(top, from));
  for (int move = 1; move <= kMoves; ++move) {
    QTest::mouseMove(window, target->mapTo(top, from + (to - from) * move / kMoves));
  }
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, target->mapTo(top, to));
}

}  // namespace dsp
