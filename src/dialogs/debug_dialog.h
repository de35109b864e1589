#pragma once

// The trace window: the bytes the link received outside any exchange, as
// text or as hexadecimal. It is modeless and stays on top; its close button
// only hides it, so the main window can show it again with its content.
// The main window hands it the trace on each refresh.

#include <cstdint>
#include <string>
#include <string_view>

#include "language/language.h"
#include "platform/window.h"

namespace dsp {

class DebugDialog : public Window {
 public:
  explicit DebugDialog(Language language) : language_(language) {}

  std::string SkinFile() const override { return "view/DebugDialog.xml"; }
  std::string ClassName() const override { return "DebugDialog"; }
  void Notify(Notification& notification) override;

  // Adds `text` at the end of the trace and scrolls to it.
  void AppendTrace(std::string_view text);
  // Whether the user asked for bytes in hexadecimal.
  bool HexChosen() const;
  void ToggleShown() { ShowWindow(!IsShown()); }
  // The window outlives language switches: it follows them.
  void SetLanguage(Language language);

  // A close asked of the window itself (its frame, Alt+F4) hides it too.
  bool HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;

 private:
  Language language_;
};

}  // namespace dsp
