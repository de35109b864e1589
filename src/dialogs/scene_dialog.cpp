#include "dialogs/scene_dialog.h"

#include "dialogs/dialog_captions.h"
#include "dialogs/wait_dialog.h"
#include "language/common_texts.h"
#include "platform/list.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

const DialogCaption kCaptions[] = {
    {"title_label", {"Presets List", "调用/保存音效组"}},
    {"button_call", {"Recall", "调用"}},
    {"button_save", {"Save", "保存"}},
    {"button_close", {"Close", "关闭"}},
    {"label_index", {"No.", "序号"}},
    {"label_name", {"Name", "名字"}},
};

constexpr BilingualText kNameTooLong{"Name length must less than 20 !", "名字长度必须小于20个字符！"};
constexpr BilingualText kError{"Error", "错误"};
constexpr const char* kMarker = "*";
constexpr const char* kWaitTitle = "Synchronize";

std::string SlotName(std::string_view kind, int slot) { return std::string(kind) + "_" + std::to_string(slot); }

}  // namespace

void SceneDialog::Notify(Notification& notification) {
  const std::string name = notification.sender != nullptr ? notification.sender->Name() : "";
  if (notification.type == notify::kWindowInit) {
    OnInit();
  } else if (notification.type == notify::kClick && name == "button_close") {
    Close(kIdCancel);
  } else if (notification.type == notify::kClick && name == "button_call") {
    Recall();
  } else if (notification.type == notify::kClick && name == "button_save") {
    Save();
  } else if (notification.type == notify::kReturn) {
    Rename(name, true);
  } else if (notification.type == notify::kKillFocus) {
    Rename(name, false);
  }
  Window::Notify(notification);
}

void SceneDialog::OnInit() {
  ShowCaptions(*this, kCaptions, language_);
  const DeviceRecord* record = FindDevice(devices_, address_);
  if (record != nullptr && record->CurrentPreset() >= 0 && record->CurrentPreset() < kPresetSlots) {
    const int slot = record->CurrentPreset();
    auto* list = Find<List>("list_scene");
    const Control* label = SlotLabel(slot);
    for (int row = 0; list != nullptr && label != nullptr && row < list->ItemCount(); ++row) {
      if (list->Item(row)->isAncestorOf(label)) {
        list->SelectItem(row);
        break;
      }
    }
    MarkSlot(slot);
  }
  ShowNames();
}

void SceneDialog::ShowNames() {
  const DeviceRecord* record = FindDevice(devices_, address_);
  if (record == nullptr) return;
  for (int slot = 0; slot < kPresetSlots; ++slot) {
    if (Control* edit = FindControl(SlotName("edit_scene", slot))) edit->SetText(record->PresetName(slot));
  }
}

void SceneDialog::Recall() {
  const int slot = SelectedSlot();
  if (slot < 0 || Parent() == nullptr) return;
  Post(kRecallMessage, slot);
  Wait(kRecallWaitMs, Pick(language_, text::kLoadingEffect));
  Post(kRecallDoneMessage, slot);
  UnmarkSlot(marked_);
  if (DeviceRecord* record = FindDevice(devices_, address_)) record->SetCurrentPreset(slot);
  MarkSlot(slot);
  // The factory slot brings the factory names back with it.
  if (slot == 0) ShowNames();
}

void SceneDialog::Save() {
  const int slot = SelectedSlot();
  if (slot < 0 || Parent() == nullptr) return;
  Post(kSaveMessage, slot);
  Wait(kSaveWaitMs, Pick(language_, text::kSaving));
  Post(kSaveDoneMessage, slot);
}

// Enter stores the name and takes the focus from the edit, so the focus
// loss that follows stores it once more; the processor takes the same name
// twice.
void SceneDialog::Rename(const std::string& edit_name, bool by_return) {
  int slot = 0;
  while (slot < kPresetSlots && edit_name != SlotName("edit_scene", slot)) ++slot;
  if (slot == kPresetSlots) return;
  const Control* edit = FindControl(edit_name);
  DeviceRecord* record = FindDevice(devices_, address_);
  if (edit == nullptr || record == nullptr) return;
  const std::string name = edit->Text();
  if (name.size() >= kNameBytes) {
    Toolkit::Dialogs().MessageBox(this, Pick(language_, kNameTooLong),
                                  Pick(language_, by_return ? text::kComfirm : kError), MessageButtons::kOk);
    return;
  }
  record->SetPresetName(slot, name);
  if (by_return) SetFocus();
  Post(kRenameMessage, slot);
}

int SceneDialog::SelectedSlot() const {
  const auto* list = Find<List>("list_scene");
  if (list == nullptr || list->CurSel() < 0) return -1;
  const ListItem* row = list->Item(list->CurSel());
  for (int slot = 0; slot < kPresetSlots; ++slot) {
    const Control* label = SlotLabel(slot);
    if (label != nullptr && row->isAncestorOf(label)) return slot;
  }
  return -1;
}

void SceneDialog::Post(std::uint32_t message, int slot) {
  if (Parent() != nullptr) Parent()->PostMessage(message, static_cast<std::uintptr_t>(slot), address_);
}

void SceneDialog::Wait(int minimum_ms, const std::string& text) {
  WaitDialog dialog(minimum_ms, text, done_);
  RunWaitDialog(dialog, *this, kWaitTitle);
}

void SceneDialog::MarkSlot(int slot) {
  Control* label = SlotLabel(slot);
  if (label == nullptr) return;
  label->SetText(kMarker + label->Text());
  marked_ = slot;
}

void SceneDialog::UnmarkSlot(int slot) {
  Control* label = SlotLabel(slot);
  if (label != nullptr && label->Text().starts_with(kMarker)) label->SetText(label->Text().substr(1));
}

Control* SceneDialog::SlotLabel(int slot) const {
  if (slot < 0 || slot >= kPresetSlots) return nullptr;
  return FindControl(SlotName("label_scene", slot));
}

}  // namespace dsp
