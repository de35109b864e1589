#include "dialogs/copy_dialog.h"

#include "dialogs/dialog_captions.h"
#include "model/chip_id.h"
#include "platform/check_box.h"
#include "platform/combo.h"
#include "platform/list.h"

namespace dsp {
namespace {

const DialogCaption kCaptions[] = {
    {"title_label", {"Copy", "拷贝"}},      {"label_source", {"Source", "源设备"}},
    {"label_name", {"Name:", "名字:"}},     {"label_dest", {"Destination", "目标设备"}},
    {"label_address", {"Address", "地址"}}, {"label_id", {"Chip ID", "芯片ID"}},
    {"label_alias", {"Alias", "别名"}},     {"button_ok", {"Confirm", "确定"}},
    {"button_close", {"Отмена", "取消"}},
};

}  // namespace

CopyDialog::CopyDialog(const DeviceList& devices, Language language) : language_(language) {
  for (const DeviceRecord& record : devices) {
    entries_.push_back({record.Address(), ChipIdText(record.ChipId()), record.Name()});
  }
}

void CopyDialog::Notify(Notification& notification) {
  const std::string& name = notification.sender != nullptr ? notification.sender->Name() : "";
  if (notification.type == notify::kWindowInit) {
    OnInit();
  } else if (notification.type == notify::kItemSelect && name == "combo_source") {
    ShowSource(static_cast<int>(notification.wparam));
  } else if (notification.type == notify::kClick && name == "button_close") {
    Close(kIdCancel);
  } else if (notification.type == notify::kClick && name == "button_ok") {
    Confirm();
  }
  Window::Notify(notification);
}

void CopyDialog::OnInit() {
  auto* list = Find<List>("listex_device");
  auto* combo = Find<Combo>("combo_source");
  for (const Entry& entry : entries_) {
    if (list != nullptr) {
      ListItem* row = list->AddRow({std::to_string(entry.address), entry.chip_id, entry.alias}, true);
      if (CheckBox* box = row->RowCheckBox()) box->SetName("checkbox_device_" + std::to_string(entry.address));
    }
    if (combo != nullptr) combo->AddItem(std::to_string(entry.address));
  }
  if (combo != nullptr && !entries_.empty()) {
    combo->SelectItem(0);
    ShowSource(0);
  }
  ShowCaptions(*this, kCaptions, language_);
}

void CopyDialog::ShowSource(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  const Entry& entry = entries_[static_cast<std::size_t>(index)];
  if (Control* id = FindControl("label_device_id")) id->SetText(entry.chip_id);
  if (Control* alias = FindControl("label_device_name")) alias->SetText(entry.alias);
}

void CopyDialog::Confirm() {
  Close(kIdOk);
  const auto* combo = Find<Combo>("combo_source");
  const auto* list = Find<List>("listex_device");
  if (entries_.empty() || combo == nullptr || list == nullptr || combo->CurSel() < 0) return;
  source_ = entries_[static_cast<std::size_t>(combo->CurSel())].address;
  for (int row = 0; row < list->ItemCount(); ++row) {
    const ListItem* item = list->Item(row);
    if (item->RowCheckBox() != nullptr && item->RowCheckBox()->Check()) {
      destinations_.insert(std::stoi(item->CellText(1)));
    }
  }
}

}  // namespace dsp
