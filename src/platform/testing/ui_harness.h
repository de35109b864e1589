#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/testing/failure.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/scripted_dialogs.h"
#include "platform/testing/ui_driver.h"
#include "platform/toolkit.h"

namespace dsp {

class Window;

// Everything a GUI test needs, installed for the harness's lifetime: the
// manual clock and the scripted dialogs replace the real ones, qCritical
// messages (errors escaping a window's handlers) become failures, and the
// driver acts on controls by name. `on_failure` receives every failure
// (unanswered message boxes, modal loops that cannot end, critical
// messages); a test passes its framework's failure macro.
class UiHarness {
 public:
  explicit UiHarness(FailureHandler on_failure);
  ~UiHarness();
  UiHarness(const UiHarness&) = delete;
  UiHarness& operator=(const UiHarness&) = delete;

  ManualClock& Clock() { return clock_; }
  ScriptedDialogs& Dialogs() { return dialogs_; }
  const UiDriver& Driver() const { return driver_; }

  // Moves time on: fires due timers and posted messages in time order.
  void Advance(std::int64_t ms) { clock_.Advance(ms); }
  // Runs `action` once `delay_ms` of clock time from now has passed: the
  // way to act inside a modal dialog that a test's own call is waiting on.
  void At(std::int64_t delay_ms, std::function<void()> action);

  // Raises a notification on the named control, as if it had raised it.
  void Raise(std::string_view name, std::string_view type, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);

  // Read-backs by control name; each fails the lookup loudly (UiActionError).
  std::string Text(std::string_view name) const;
  bool Check(std::string_view name) const;
  int Value(std::string_view name) const;
  bool Visible(std::string_view name) const;

 private:
  FailureHandler on_failure_;
  ManualClock clock_;
  ScriptedDialogs dialogs_;
  ToolkitOverride override_;
  UiDriver driver_;
};

}  // namespace dsp
