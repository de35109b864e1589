#pragma once

// The presets stored in one processor: the 17 slots with their names, a
// "*" before the number of the slot in use. The user renames slots,
// recalls the selected slot into the processor or saves the processor's
// settings into it. The dialog itself never talks to the bus: it posts the
// preset messages to its parent (the main window), which does the work and
// sets the done flag the dialog's wait windows watch.

#include <cstdint>
#include <string>

#include "language/language.h"
#include "model/device_list.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace dsp {

class SceneDialog : public Window {
 public:
  // Posted to the parent; wParam the slot, lParam the processor's address.
  static constexpr std::uint32_t kRecallMessage = kWmUser + 1;
  static constexpr std::uint32_t kRecallDoneMessage = kWmUser + 2;
  static constexpr std::uint32_t kSaveMessage = kWmUser + 3;
  static constexpr std::uint32_t kSaveDoneMessage = kWmUser + 4;
  static constexpr std::uint32_t kRenameMessage = kWmUser + 5;
  static constexpr int kRecallWaitMs = 100;
  static constexpr int kSaveWaitMs = 2000;
  // A slot holds 19 bytes of name and its terminating zero.
  static constexpr std::size_t kNameBytes = 20;

  // The processor is looked up by address at each use, so a list that
  // changed meanwhile is never read through a stale record. `done` belongs
  // to the parent and must outlive the dialog.
  SceneDialog(DeviceList& devices, int address, Language language, const bool* done)
      : devices_(devices), address_(address), language_(language), done_(done) {}

  std::string SkinFile() const override { return "view/SceneDialog.xml"; }
  std::string ClassName() const override { return "SceneDialog"; }
  void Notify(Notification& notification) override;

 private:
  void OnInit();
  void ShowNames();
  void Recall();
  void Save();
  void Rename(const std::string& edit_name, bool by_return);
  // The slot of the selected row, or -1.
  int SelectedSlot() const;
  void Post(std::uint32_t message, int slot);
  void Wait(int minimum_ms, const std::string& text);
  void MarkSlot(int slot);
  void UnmarkSlot(int slot);
  Control* SlotLabel(int slot) const;

  DeviceList& devices_;
  int address_;
  Language language_;
  const bool* done_;
  int marked_ = -1;
};

}  // namespace dsp
