#include "app/preset_menu.h"

#include <string>

#include "app/menu_commands.h"
#include "dialogs/scene_dialog.h"
#include "platform/window.h"
#include "protocol/commands.h"

namespace dsp {

void PresetMenu::Register(NotifyRegistry& registry, MessageTable& messages) {
  RegisterMember(registry, notify::kItemClick, "menu_item_file_effect", this, &PresetMenu::OnPresets);
  messages.On(SceneDialog::kRecallMessage, this, &PresetMenu::OnRecall);
  messages.On(SceneDialog::kRecallDoneMessage, this, &PresetMenu::OnRecallDone);
  messages.On(SceneDialog::kSaveMessage, this, &PresetMenu::OnSave);
  messages.On(SceneDialog::kSaveDoneMessage, this, &PresetMenu::OnSaveDone);
  messages.On(SceneDialog::kRenameMessage, this, &PresetMenu::OnRename);
}

void PresetMenu::OnPresets(Notification&) {
  const DeviceRecord* record = DeviceForMenuItem(context_, devices_);
  if (record == nullptr) return;
  SceneDialog dialog(devices_, record->Address(), context_.Language(), procedures_.DoneFlag());
  dialog.Create(&context_.Host(), "加载音效");
  dialog.CenterWindow();
  dialog.ShowModal();
}

bool PresetMenu::OnRecall(std::uintptr_t slot, std::intptr_t address) {
  SetStatus(address, Pick(context_.Language(), text::kLoadingEffect));
  link_.Send(PresetRecallFrame(static_cast<std::uint8_t>(address), static_cast<int>(slot)));
  procedures_.StartReadAll(static_cast<int>(address), RecallSettleDelayMs(static_cast<int>(slot)));
  return true;
}

bool PresetMenu::OnRecallDone(std::uintptr_t, std::intptr_t address) {
  SetStatus(address, "");
  return true;
}

bool PresetMenu::OnSave(std::uintptr_t slot, std::intptr_t address) {
  SetStatus(address, Pick(context_.Language(), text::kSaving));
  level_poll_.Pause();
  link_.Send(PresetSaveFrame(static_cast<std::uint8_t>(address), static_cast<int>(slot)));
  return true;
}

bool PresetMenu::OnSaveDone(std::uintptr_t, std::intptr_t address) {
  SetStatus(address, "");
  level_poll_.Resume();
  return true;
}

// The name goes to the selected processor, taken from its record.
bool PresetMenu::OnRename(std::uintptr_t slot, std::intptr_t) {
  const DeviceRecord* record = context_.SelectedDevice();
  if (record == nullptr || slot >= static_cast<std::uintptr_t>(kPresetSlots)) return true;
  const int index = static_cast<int>(slot);
  link_.Send(PresetNameWriteFrame(static_cast<std::uint8_t>(record->Address()), index, record->PresetName(index)));
  return true;
}

void PresetMenu::SetStatus(std::intptr_t address, const std::string& text) {
  if (Control* tips = context_.Host().FindControl("label_tips_" + std::to_string(address - 1))) tips->SetText(text);
}

}  // namespace dsp
