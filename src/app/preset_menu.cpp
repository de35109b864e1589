#include "app/preset_menu.h"

#include "app/menu_commands.h"
#include "dialogs/scene_dialog.h"

namespace dsp {

void PresetMenu::Register(NotifyRegistry& registry) {
  RegisterMember(registry, notify::kItemClick, "menu_item_file_effect", this, &PresetMenu::OnPresets);
}

void PresetMenu::OnPresets(Notification&) {
  const DeviceRecord* record = DeviceForMenuItem(context_, devices_);
  if (record == nullptr) return;
  SceneDialog dialog(devices_, record->Address(), context_.Language(), done_);
  dialog.Create(&context_.Host(), "加载音效");
  dialog.CenterWindow();
  dialog.ShowModal();
}

}  // namespace dsp
