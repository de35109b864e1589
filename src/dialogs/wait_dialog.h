#pragma once

#include <cstdint>
#include <string>

#include "platform/window.h"

namespace dsp {

// The small modal window shown while the main window runs a long device
// operation (scan, synchronise, preset load or save). It shows a text and a
// looping progress bar, stays up for at least the minimum time, and then
// closes itself (code 2) as soon as the operation's done flag is set; with
// no flag it closes after the minimum time alone. The user cannot close it;
// Esc is passed on to the parent, which may stop the operation. The bar
// loops, or follows a percentage the caller keeps.
class WaitDialog : public Window {
 public:
  static constexpr std::uint32_t kTickTimer = 1;
  static constexpr int kTickMs = 100;

  // `done` belongs to the caller and must outlive the dialog; it may be null.
  WaitDialog(int minimum_ms, std::string text, const bool* done)
      : minimum_ms_(minimum_ms), text_(std::move(text)), done_(done) {}

  // The looping bar runs from 0 to `maximum` (the skin's range otherwise).
  void SetBarRange(int maximum) { bar_maximum_ = maximum; }
  // The bar shows the caller's percentage (0..100) instead of looping;
  // `percent` must outlive the dialog.
  void FollowPercent(const int* percent) { percent_ = percent; }

  std::string SkinFile() const override { return "view/WaitDialog.xml"; }
  std::string ClassName() const override { return "WaitDialog"; }
  void Notify(Notification& notification) override;
  bool HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;

 private:
  void Tick();
  void AdvanceBar();

  int minimum_ms_;
  std::string text_;
  const bool* done_;
  int elapsed_ms_ = 0;
  int bar_position_ = 0;
  int bar_maximum_ = -1;
  const int* percent_ = nullptr;
};

// Shows the dialog modally over `parent`, centred, with `title`; returns
// when it has closed.
void RunWaitDialog(WaitDialog& dialog, Window& parent, std::string_view title);

}  // namespace dsp
