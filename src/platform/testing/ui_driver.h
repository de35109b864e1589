#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/control.h"

namespace dsp {

// A user action that could not be done (no such control, hidden, disabled,
// not the right kind of control for the action).
class UiActionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class UiKey { kUp, kDown, kLeft, kRight, kEnter, kEscape, kTab };

// Does what a user does, by control name, with real Qt mouse, key and wheel
// events, on whichever window shows the control (the most recently shown
// window first). Every action throws UiActionError when it cannot be done.
class UiDriver {
 public:
  // The control of that name: on a shown window first, else on any window.
  Control* Find(std::string_view name) const;
  Control& Get(std::string_view name) const;
  template <class T>
  T& Get(std::string_view name) const {
    Control& control = Get(name);
    if (auto* typed = dynamic_cast<T*>(&control)) return *typed;
    throw UiActionError("control \"" + std::string(name) + "\" is a " + std::string(control.ClassName()));
  }

  void Click(std::string_view name) const;
  void DoubleClick(std::string_view name) const;
  // Moves the mouse onto the control (and off whatever it was on).
  void Hover(std::string_view name) const;
  // Picks item `index` of a combo (through its pop-up list), a tree (the
  // node's row) or a list (the row).
  void Select(std::string_view name, int index) const;
  // Clicks a check box when its state differs from `on`.
  void SetCheck(std::string_view name, bool on) const;
  // Clicks into an edit, replaces its text by typing and presses Enter.
  void Type(std::string_view name, std::string_view text) const;
  void Key(std::string_view name, UiKey key) const;
  // One wheel step, up (away from the user) or down.
  void Wheel(std::string_view name, bool up) const;
  // Presses the left button at `from`, moves to `to` in a few steps and
  // lets go there; points in the control's own pixels.
  void Drag(std::string_view name, QPoint from, QPoint to) const;

 private:
  Control& Usable(std::string_view name) const;
};

}  // namespace dsp
