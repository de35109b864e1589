#pragma once

#include <QFont>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/clock.h"
#include "platform/control.h"
#include "platform/messages.h"
#include "platform/notification.h"

class QButtonGroup;
class QCloseEvent;

namespace dsp {

class WindowHost;

// Identifies a window for posting messages; stays safe to use after the
// window is gone (posting then does nothing).
struct WindowHandle {
  std::uint64_t value = 0;
  explicit operator bool() const { return value != 0; }
  bool operator==(const WindowHandle&) const = default;
};

// Base of every skinned window and dialog. A subclass names its skin file
// and class name and reacts to what happens through three overrides:
//   Notify        - notifications raised by its controls;
//   HandleMessage - window messages: kWmTimer (timer id in wParam), kWmChar
//                   (typed character in wParam, e.g. 27 for Esc), kWmClose
//                   (the user closes the window; return true to refuse) and
//                   anything posted with PostMessage (kWmUser + n);
//   CreateControl - custom controls for skin elements the binding does not
//                   know.
// Everything runs on the UI thread; notifications are delivered
// synchronously, posted messages and timers through Toolkit::GetClock().
class Window {
 public:
  Window();
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // The skin file below the skin folder, e.g. "view/WaitDialog.xml".
  virtual std::string SkinFile() const = 0;
  virtual std::string ClassName() const = 0;
  virtual void Notify(Notification& notification);
  // Returns true when the message was handled.
  virtual bool HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);
  virtual std::unique_ptr<Control> CreateControl(std::string_view class_name);

  // Loads the skin and builds the window, hidden. A window with a parent
  // stays above it. Throws SkinError when the skin cannot be used.
  void Create(Window* parent, std::string_view title);
  bool IsCreated() const { return !host_.isNull(); }
  Window* Parent() const { return parent_; }
  std::string Title() const;
  void SetTitle(std::string_view title);

  // Centres the window on its parent, or on the screen without one.
  void CenterWindow();
  void ShowWindow(bool show = true, bool take_focus = true);
  bool IsShown() const;
  // Shows the window and blocks other windows until Close; returns the code
  // given to Close (kIdCancel when the user closed it from the frame,
  // kModalAborted when a manual test clock gave up waiting).
  int ShowModal();
  bool IsModalRunning() const { return modal_running_; }
  // Hides the window; a running ShowModal returns `code`.
  void Close(int code = kIdOk);

  void Minimize();
  void Maximize();
  void Restore();
  bool IsMaximized() const;
  // Takes the keyboard focus from the window's controls.
  void SetFocus();
  void SetTopMost(bool top_most);

  WindowHandle Handle() const { return handle_; }
  static Window* FromHandle(WindowHandle handle);
  // Queues the message for HandleMessage of that window, after every
  // message posted before it. Returns false when the window does not exist.
  static bool PostMessage(WindowHandle target, std::uint32_t message, std::uintptr_t wparam,
                          std::intptr_t lparam);
  bool PostMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
    return PostMessage(handle_, message, wparam, lparam);
  }
  // Calls HandleMessage now; returns whether it handled the message.
  bool SendMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);

  // Window timers: HandleMessage(kWmTimer, id, 0) every `ms` until KillTimer.
  // Arming an identifier that is already running restarts it.
  void SetTimer(std::uint32_t id, int ms);
  void KillTimer(std::uint32_t id);
  bool HasTimer(std::uint32_t id) const { return timers_.count(id) != 0; }

  Control* Root() const { return root_; }
  // The first control of that name (in the order they joined the window).
  Control* FindControl(std::string_view name) const;
  template <class T>
  T* Find(std::string_view name) const {
    return dynamic_cast<T*>(FindControl(name));
  }

  // Delivers a notification to Notify now. An exception escaping Notify is
  // reported (qCritical) and does not reach the event loop.
  void SendNotify(Control* sender, std::string_view type, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);

  // The font of a <Font id="index"> of the skin; the default font otherwise.
  QFont Font(int index) const;
  // The exclusive group of check boxes with that group name.
  QButtonGroup* ButtonGroup(const std::string& name);
  // The top-level Qt widget (screenshots, tests); null before Create.
  QWidget* Widget() const;

  // Every existing window, the most recently shown first.
  static std::vector<Window*> AllWindows();

  // For containers: `root` and the controls inside it join or leave this
  // window (names become findable or not, fonts and groups apply).
  void AdoptTree(Control* root);
  void ReleaseTree(Control* root);

 protected:
  // Qt window flags of the top-level widget; pop-up menus change them.
  virtual Qt::WindowFlags HostFlags() const;
  // Runs a call into window code: exceptions are reported instead of
  // reaching Qt, and the window may be deleted during the call.
  void Dispatch(const std::function<void()>& call);

 private:
  friend class Control;
  friend class WindowHost;

  void RememberControl(Control* control);
  void ForgetControl(Control* control);
  void RenameControl(Control* control, const std::string& old_name);

  void OnHostShown();
  void OnHostResized();
  bool OnHostCharacter(std::uintptr_t character);
  void OnHostCloseRequested(QCloseEvent* event);

  WindowHandle handle_;
  Window* parent_ = nullptr;
  QPointer<WindowHost> host_;
  Control* root_ = nullptr;
  std::unordered_map<std::string, std::vector<Control*>> names_;
  std::map<int, QFont> fonts_;
  std::optional<QFont> default_font_;
  std::map<std::string, QButtonGroup*> button_groups_;
  std::map<std::uint32_t, Clock::TimerId> timers_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  int busy_ = 0;
  bool initialized_ = false;
  bool modal_running_ = false;
  bool closed_ = false;
  bool closing_by_code_ = false;
  int result_ = kIdCancel;
};

}  // namespace dsp
