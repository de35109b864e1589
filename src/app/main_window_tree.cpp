// The device tree: a node per processor built from the root node's style
// attribute lists, selection with synchronisation and the per-device page
// layout, renaming, the sync and delete buttons and the hide switch.
#include <algorithm>

#include "app/control_names.h"
#include "app/device_node.h"
#include "app/main_window.h"
#include "app/overview_layout.h"
#include "model/write_id.h"
#include "platform/check_box.h"
#include "platform/tree_view.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

// "a, b,c" -> {"a", "b", "c"}.
std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> names;
  std::string name;
  for (char c : list + ",") {
    if (c == ',') {
      if (!name.empty()) names.push_back(name);
      name.clear();
    } else if (c != ' ') {
      name += c;
    }
  }
  return names;
}

}  // namespace

void MainWindow::AddDeviceNode(const std::string& name, int position) {
  const auto delete_button = dsp::AddDeviceNode(*this, name, position, language_);
  if (!delete_button) return;
  registry_.On(notify::kClick, *delete_button, this, &MainWindow::OnDeleteDeviceClick);
  delete_buttons_.push_back(*delete_button);
}

void MainWindow::OnDeviceSelect(Notification&) {
  const auto* tree = Find<TreeView>(kDeviceTree);
  const TreeNode* node = tree != nullptr ? tree->SelectedNode() : nullptr;
  const auto position = node != nullptr ? TrailingIndex(node->Name()) : std::nullopt;
  if (!position) {
    DeviceForEdit();  // the root node: asks for a processor when any is listed
    return;
  }
  const int address = *position + 1;
  DeviceRecord* record = FindDevice(devices_, address);
  if (record == nullptr) return;
  if (FindDevice(devices_, last_selected_address_) != nullptr) navigator_.StoreLayout(last_selected_address_);
  last_selected_address_ = address;
  if (record->Synchronised()) {
    RefreshAll();
    navigator_.RestoreLayout(address);
    FitOverviewTo(*record);
    return;
  }
  navigator_.ResetToOverview();
  FitOverviewTo(*record);
  SynchroniseFromDevice(address);
}

void MainWindow::FitOverviewTo(DeviceRecord& record) {
  FitOverview(*this, record.Inputs(), record.Outputs());
  const DeviceView& view = View(record.Address());
  MarkChannelHeaders(*this, view.channel[kInputSide], view.channel[kOutputSide]);
}

// A name that does not fit the processor's 20 bytes is refused and the box
// shows the stored name again (the box would otherwise show a name the
// processor does not have, and ask again when it loses the focus).
void MainWindow::CommitDeviceName(Notification& notification, bool by_return) {
  const auto position = TrailingIndex(notification.sender->Name());
  if (!position) return;
  DeviceRecord* record = FindDevice(devices_, *position + 1);
  const std::string name = notification.sender->Text();
  if (name.size() > static_cast<std::size_t>(kNameBytes)) {
    if (record != nullptr) notification.sender->SetText(record->Name());
    Say(text::kNameTooLong, text::kTips);
    return;
  }
  if (record == nullptr) return;
  if (by_return) SetFocus();
  // The box loses the focus whenever a dialog opens; an unchanged name has
  // nothing to send (and would go out between a procedure's requests).
  if (name == record->Name()) return;
  record->SetName(name);
  ScheduleWrite(WriteId::Rename(record->Address()));
}

void MainWindow::OnRenameTimer(std::uint32_t id) {
  KillTimer(id);
  scheduled_writes_.erase(id);
  const int address = WriteId(id).Address();
  if (const DeviceRecord* record = FindDevice(devices_, address)) {
    link_->Send(RenameFrame(static_cast<std::uint8_t>(address), record->Name()));
  }
}

void MainWindow::OnSyncButtonClick(Notification& notification) {
  const auto position = TrailingIndex(notification.sender->Name());
  if (position && FindDevice(devices_, *position + 1) != nullptr) SynchroniseFromDevice(*position + 1);
}

// Forgets the device without telling it anything: a later scan finds it again.
void MainWindow::OnDeleteDeviceClick(Notification& notification) {
  const std::string button = notification.sender->Name();
  const auto position = TrailingIndex(button);
  if (!position) return;
  const int address = *position + 1;
  registry_.Unregister(notify::kClick, button);
  delete_buttons_.erase(std::remove(delete_buttons_.begin(), delete_buttons_.end(), button), delete_buttons_.end());
  auto* root = Find<TreeNode>(kDeviceRootNode);
  auto* node = Find<TreeNode>(Channel(kDeviceRootNode, *position));
  if (root != nullptr && node != nullptr) root->RemoveChildNode(node);
  auto record = std::find_if(devices_.begin(), devices_.end(),
                             [address](const DeviceRecord& r) { return r.Address() == address; });
  if (record != devices_.end()) devices_.erase(record);
  views_.erase(address);
  if (last_selected_address_ == address) last_selected_address_ = -1;
}

// The switch hides what its "hidecontrols" attribute names (the device
// panel) and the device nodes; nodes added meanwhile are hidden too.
void MainWindow::OnHideDeviceList(Notification&) {
  const auto* hide = Find<CheckBox>(kHideDeviceListSwitch);
  if (hide == nullptr) return;
  const bool hidden = hide->Check();
  for (const std::string& name : SplitList(hide->CustomAttribute("hidecontrols").value_or(""))) {
    if (Control* control = FindControl(name)) control->SetVisible(!hidden);
  }
  if (auto* root = Find<TreeNode>(kDeviceRootNode)) {
    for (int i = 0; i < root->ChildCount(); ++i) root->ChildNode(i)->SetVisible(!hidden);
  }
  if (!hidden || FindControl("device") == nullptr) return;
  if (FindDevice(devices_, last_selected_address_) != nullptr) navigator_.StoreLayout(last_selected_address_);
  last_selected_address_ = -1;
}

void MainWindow::RemoveDeviceNodes() {
  for (const std::string& button : delete_buttons_) registry_.Unregister(notify::kClick, button);
  delete_buttons_.clear();
  auto* root = Find<TreeNode>(kDeviceRootNode);
  if (root == nullptr) return;
  while (root->ChildCount() > 0) root->RemoveChildNode(root->ChildNode(root->ChildCount() - 1));
}

}  // namespace dsp
