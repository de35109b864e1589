#include "platform/window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <list>
#include <stdexcept>

#include "platform/qt_text.h"
#include "platform/skin_builder.h"
#include "platform/skin_reader.h"
#include "platform/toolkit.h"
#include "platform/window_host.h"

namespace dsp {
namespace {

std::map<std::uint64_t, Window*>& Registry() {
  static std::map<std::uint64_t, Window*> windows;
  return windows;
}

// Most recently shown first.
std::list<Window*>& ShownOrder() {
  static std::list<Window*> order;
  return order;
}

std::uint64_t NextHandleValue() {
  static std::uint64_t next = 1;
  return next++;
}

// Control has no Q_OBJECT, so Qt's own findChildren<Control*> cannot tell
// controls from plain widgets; dynamic_cast can.
std::vector<Control*> ControlsInside(const QWidget* widget) {
  std::vector<Control*> controls;
  for (QWidget* child : widget->findChildren<QWidget*>()) {
    if (auto* control = dynamic_cast<Control*>(child)) controls.push_back(control);
  }
  return controls;
}

std::vector<Control*> ControlsIn(Control* root) {
  std::vector<Control*> controls = ControlsInside(root);
  controls.insert(controls.begin(), root);
  return controls;
}

}  // namespace

Window::Window() : handle_{NextHandleValue()} { Registry()[handle_.value] = this; }

Window::~Window() {
  *alive_ = false;
  Registry().erase(handle_.value);
  ShownOrder().remove(this);
  for (const auto& [id, timer] : timers_) Toolkit::GetClock().StopTimer(timer);
  if (host_.isNull()) return;
  for (Control* control : ControlsInside(host_.data())) control->DetachWindow();
  names_.clear();
  // Deleting the widgets under a control that is still reporting (a menu
  // item whose click made its owner drop the menu) would pull the ground
  // from under it; then the widgets go once control is back in the loop.
  if (busy_ > 0) {
    host_->hide();
    host_->deleteLater();
  } else {
    delete host_.data();
  }
}

void Window::Notify(Notification&) {}

bool Window::HandleMessage(std::uint32_t, std::uintptr_t, std::intptr_t) { return false; }

std::unique_ptr<Control> Window::CreateControl(std::string_view) { return nullptr; }

Qt::WindowFlags Window::HostFlags() const { return parent_ != nullptr ? Qt::Dialog : Qt::Window; }

void Window::Create(Window* parent, std::string_view title) {
  if (IsCreated()) throw std::logic_error("window " + ClassName() + " is already created");
  parent_ = parent;
  const SkinElement skin_root = ReadSkinFile(Toolkit::SkinDir(), SkinFile());
  WindowSkin skin = BuildWindowSkin(*this, skin_root);
  fonts_ = std::move(skin.fonts);
  default_font_ = skin.default_font;
  QWidget* parent_widget = parent != nullptr ? parent->Widget() : nullptr;
  host_ = new WindowHost(*this, parent_widget, HostFlags());
  host_->setObjectName(ToQt(ClassName()));
  if (default_font_) host_->setFont(*default_font_);
  if (skin.palette) host_->setPalette(*skin.palette);
  auto* layout = new QVBoxLayout(host_);
  layout->setContentsMargins(0, 0, 0, 0);
  root_ = skin.root.release();
  layout->addWidget(root_);
  AdoptTree(root_);
  SetTitle(title);
  if (skin.min_size.isValid()) host_->setMinimumSize(skin.min_size);
  if (skin.size.isValid()) host_->resize(skin.size);
  else host_->adjustSize();
}

std::string Window::Title() const { return host_ ? ToStd(host_->windowTitle()) : std::string(); }

void Window::SetTitle(std::string_view title) {
  if (host_) host_->setWindowTitle(ToQt(title));
}

void Window::CenterWindow() {
  if (!host_) return;
  QRect area;
  if (parent_ != nullptr && parent_->IsShown()) {
    area = parent_->Widget()->frameGeometry();
  } else if (QScreen* screen = host_->screen()) {
    area = screen->availableGeometry();
  }
  QRect frame = host_->frameGeometry();
  frame.moveCenter(area.center());
  host_->move(frame.topLeft());
}

void Window::ShowWindow(bool show, bool take_focus) {
  if (!host_) return;
  if (!show) {
    host_->hide();
    return;
  }
  host_->show();
  if (take_focus) host_->activateWindow();
}

bool Window::IsShown() const { return host_ && host_->isVisible(); }

int Window::ShowModal() {
  if (!host_) throw std::logic_error("ShowModal before Create on " + ClassName());
  if (modal_running_) throw std::logic_error("ShowModal is already running on " + ClassName());
  closed_ = false;
  modal_running_ = true;
  host_->setWindowModality(Qt::ApplicationModal);
  ShowWindow();
  const std::shared_ptr<bool> alive = alive_;
  const bool finished = Toolkit::GetClock().RunUntil([this, alive] { return !*alive || closed_; });
  if (!*alive) return kModalAborted;
  modal_running_ = false;
  if (!finished) {
    Close(kModalAborted);
    return kModalAborted;
  }
  host_->setWindowModality(Qt::NonModal);
  return result_;
}

void Window::Close(int code) {
  result_ = code;
  closed_ = true;
  if (!host_) return;
  closing_by_code_ = true;
  host_->close();
  closing_by_code_ = false;
}

void Window::Minimize() {
  if (host_) host_->showMinimized();
}

void Window::Maximize() {
  if (host_) host_->showMaximized();
}

void Window::Restore() {
  if (host_) host_->showNormal();
}

bool Window::IsMaximized() const { return host_ && host_->isMaximized(); }

void Window::SetFocus() {
  if (host_) host_->setFocus(Qt::OtherFocusReason);
}

void Window::SetTopMost(bool top_most) {
  if (!host_) return;
  const bool shown = host_->isVisible();
  host_->setWindowFlag(Qt::WindowStaysOnTopHint, top_most);
  if (shown) host_->show();
}

Window* Window::FromHandle(WindowHandle handle) {
  auto found = Registry().find(handle.value);
  return found == Registry().end() ? nullptr : found->second;
}

bool Window::PostMessage(WindowHandle target, std::uint32_t message, std::uintptr_t wparam,
                         std::intptr_t lparam) {
  if (FromHandle(target) == nullptr) return false;
  Toolkit::GetClock().Post([target, message, wparam, lparam] {
    if (Window* window = FromHandle(target)) {
      window->Dispatch([&] { window->HandleMessage(message, wparam, lparam); });
    }
  });
  return true;
}

bool Window::SendMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  bool handled = false;
  Dispatch([&] { handled = HandleMessage(message, wparam, lparam); });
  return handled;
}

void Window::SetTimer(std::uint32_t id, int ms) {
  KillTimer(id);
  timers_[id] = Toolkit::GetClock().StartTimer(ms, true, [this, id] {
    Dispatch([&] { HandleMessage(kWmTimer, id, 0); });
  });
}

void Window::KillTimer(std::uint32_t id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  Toolkit::GetClock().StopTimer(found->second);
  timers_.erase(found);
}

Control* Window::FindControl(std::string_view name) const {
  auto found = names_.find(std::string(name));
  if (found == names_.end() || found->second.empty()) return nullptr;
  return found->second.front();
}

void Window::SendNotify(Control* sender, std::string_view type, std::uintptr_t wparam, std::intptr_t lparam) {
  Notification notification{std::string(type), sender, Toolkit::GetClock().NowMs(), wparam, lparam};
  Dispatch([&] { Notify(notification); });
}

void Window::Dispatch(const std::function<void()>& call) {
  const std::shared_ptr<bool> alive = alive_;
  const std::string class_name = ClassName();
  ++busy_;
  try {
    call();
  } catch (const std::exception& error) {
    qCritical("dspdesk: %s failed while handling an event: %s", class_name.c_str(), error.what());
  }
  if (*alive) --busy_;
}

QFont Window::Font(int index) const {
  auto found = fonts_.find(index);
  if (found != fonts_.end()) return found->second;
  return default_font_.value_or(QApplication::font());
}

QButtonGroup* Window::ButtonGroup(const std::string& name) {
  QButtonGroup*& group = button_groups_[name];
  if (group == nullptr) {
    group = new QButtonGroup(host_.data());
    group->setExclusive(true);
  }
  return group;
}

QWidget* Window::Widget() const { return host_.data(); }

std::vector<Window*> Window::AllWindows() {
  std::vector<Window*> windows(ShownOrder().begin(), ShownOrder().end());
  for (const auto& [handle, window] : Registry()) {
    if (std::find(windows.begin(), windows.end(), window) == windows.end()) windows.push_back(window);
  }
  return windows;
}

void Window::AdoptTree(Control* root) {
  for (Control* control : ControlsIn(root)) control->AttachWindow(this);
}

void Window::ReleaseTree(Control* root) {
  for (Control* control : ControlsIn(root)) control->DetachWindow();
}

void Window::RememberControl(Control* control) {
  if (!control->Name().empty()) names_[control->Name()].push_back(control);
}

void Window::ForgetControl(Control* control) {
  auto found = names_.find(control->Name());
  if (found == names_.end()) return;
  auto& list = found->second;
  list.erase(std::remove(list.begin(), list.end(), control), list.end());
  if (list.empty()) names_.erase(found);
}

void Window::RenameControl(Control* control, const std::string& old_name) {
  auto found = names_.find(old_name);
  if (found != names_.end()) {
    auto& list = found->second;
    list.erase(std::remove(list.begin(), list.end(), control), list.end());
    if (list.empty()) names_.erase(found);
  }
  RememberControl(control);
}

void Window::OnHostShown() {
  ShownOrder().remove(this);
  ShownOrder().push_front(this);
  if (initialized_) return;
  initialized_ = true;
  SendNotify(root_, notify::kWindowInit);
}

void Window::OnHostResized() {
  if (initialized_) SendNotify(root_, notify::kWindowSize);
}

bool Window::OnHostCharacter(std::uintptr_t character) { return SendMessage(kWmChar, character, 0); }

void Window::OnHostCloseRequested(QCloseEvent* event) {
  if (closing_by_code_) {
    event->accept();
    return;
  }
  if (SendMessage(kWmClose, 0, 0)) {
    event->ignore();
    return;
  }
  result_ = kIdCancel;
  closed_ = true;
  event->accept();
}

}  // namespace dsp
