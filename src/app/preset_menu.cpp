#include "app/preset_menu.h"

#include <string>

#include "app/level_poll_runner.h"
#include "app/menu_commands.h"
#include "app/port_link.h"
#include "app/procedure_runner.h"
#include "dialogs/scene_dialog.h"
#include "platform/window.h"
#include "protocol/commands.h"

namespace dsp {

void PresetMenu::Register(NotifyRegistry& registry, MessageTable& messages) {
  registry.On(notify::kItemClick, "menu_item_file_effect", this, &PresetMenu::OnPresets);
  messages.On(SceneDialog::kRecallMessage, this, &PresetMenu::OnRecall);
  messages.On(SceneDialog::kRecallDoneMessage, this, &PresetMenu::OnRecallDone);
  messages.On(SceneDialog::kSaveMessage, this, &PresetMenu::OnSave);
  messages.On(SceneDialog::kSaveDoneMessage, this, &PresetMenu::OnSaveDone);
  messages.On(SceneDialog::kRenameMessage, this, &PresetMenu::OnRename);
}

void PresetMenu::OnPresets(Notification&) {
  const DeviceRecord* record = DeviceForMenuItem(context_);
  if (record == nullptr) return;
  SceneDialog dialog(context_.Devices(), record->Address(), context_.InterfaceLanguage(),
                     context_.Procedures().DoneFlag());
  dialog.Create(&context_.Host(), "加载音效");
  dialog.CenterWindow();
  dialog.ShowModal();
}

bool PresetMenu::OnRecall(std::uintptr_t slot, std::intptr_t address) {
  SetStatus(address, Pick(context_.InterfaceLanguage(), text::kLoadingEffect));
  context_.Link().Send(PresetRecallFrame(static_cast<std::uint8_t>(address), static_cast<int>(slot)));
  context_.Procedures().StartReadAll(static_cast<int>(address), RecallSettleDelayMs(static_cast<int>(slot)));
  return true;
}

bool PresetMenu::OnRecallDone(std::uintptr_t, std::intptr_t address) {
  SetStatus(address, "");
  return true;
}

bool PresetMenu::OnSave(std::uintptr_t slot, std::intptr_t address) {
  SetStatus(address, Pick(context_.InterfaceLanguage(), text::kSaving));
  context_.LevelPolling().Pause();
  context_.Link().Send(PresetSaveFrame(static_cast<std::uint8_t>(address), static_cast<int>(slot)));
  return true;
}

bool PresetMenu::OnSaveDone(std::uintptr_t, std::intptr_t address) {
  SetStatus(address, "");
  context_.LevelPolling().Resume();
  return true;
}

// The name goes to the selected processor, taken from its record.
bool PresetMenu::OnRename(std::uintptr_t slot, std::intptr_t) {
  const DeviceRecord* record = context_.SelectedDevice();
  if (record == nullptr || slot >= static_cast<std::uintptr_t>(kPresetSlots)) return true;
  const int index = static_cast<int>(slot);
  context_.Link().Send(
      PresetNameWriteFrame(static_cast<std::uint8_t>(record->Address()), index, record->PresetName(index)));
  return true;
}

void PresetMenu::SetStatus(std::intptr_t address, const std::string& text) {
  if (Control* tips = context_.Host().FindControl("label_tips_" + std::to_string(address - 1))) tips->SetText(text);
}

}  // namespace dsp
