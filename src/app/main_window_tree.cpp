// The device tree: a node per processor built from the root node's style
// attribute lists, selection with synchronisation and the per-device page
// layout, renaming, the sync and delete buttons and the hide switch.
#include <algorithm>

#include "app/label_table.h"
#include "app/main_window.h"
#include "app/overview_layout.h"
#include "model/write_id.h"
#include "platform/check_box.h"
#include "platform/tree_view.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

constexpr const char* kTree = "treeview_device_list";
constexpr const char* kRootNode = "treenode_device";
constexpr const char* kHideSwitch = "checkbox_hide_device_list";

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

std::string Suffixed(std::string_view base, int position) { return std::string(base) + "_" + std::to_string(position); }

// A child of a device node: the root's style list for it, then the
// device's position appended to the name the style gave.
Control* AddNodeChild(TreeNode& node, const TreeNode& root, std::string_view class_name, const char* style,
                      int position) {
  Control* child = node.AddNew(class_name, root.CustomAttribute(style).value_or(""));
  child->SetName(Suffixed(child->Name(), position));
  return child;
}

}  // namespace

void MainWindow::AddDeviceNode(const std::string& name, int position) {
  auto* root = Find<TreeNode>(kRootNode);
  const auto* hide = Find<CheckBox>(kHideSwitch);
  if (Find<TreeView>(kTree) == nullptr || root == nullptr || hide == nullptr) return;
  auto node = std::make_unique<TreeNode>();
  node->ApplyAttributeList(root->CustomAttribute("treenodestyle").value_or(""));
  node->SetName(Suffixed(kRootNode, position));
  node->SetVisible(!hide->Check());
  AddNodeChild(*node, *root, "Label", "labelstyle", position)->SetText(std::to_string(position + 1));
  AddNodeChild(*node, *root, "Edit", "editstyle", position)->SetText(name);
  AddNodeChild(*node, *root, "Label", "labeltipsstyle", position);
  Control* circle = AddNodeChild(*node, *root, "Label", "labelcirclestyle", position);
  if (language_ != kChinese) circle->SetText(SyncIndicatorText(language_));
  AddNodeChild(*node, *root, "CheckBox", "checkboxstyle", position);
  AddNodeChild(*node, *root, "Button", "buttoncirclestyle", position);
  const std::string delete_button = AddNodeChild(*node, *root, "Button", "buttondeletestyle", position)->Name();
  On(notify::kClick, delete_button, &MainWindow::OnDeleteDeviceClick);
  delete_buttons_.push_back(delete_button);
  ApplySkinCaptions(*node);
  root->AddChildNode(std::move(node));
}

void MainWindow::OnDeviceSelect(Notification&) {
  const auto* tree = Find<TreeView>(kTree);
  const TreeNode* node = tree != nullptr ? tree->SelectedNode() : nullptr;
  const auto position = node != nullptr ? DevicePosition(node->Name()) : std::nullopt;
  if (!position) return;
  const int address = *position + 1;
  DeviceRecord* record = FindDevice(devices_, address);
  if (record == nullptr) return;
  if (FindDevice(devices_, last_selected_address_) != nullptr) StorePageLayout(last_selected_address_);
  last_selected_address_ = address;
  if (record->Synchronised()) {
    RefreshAllPages();
    RestorePageLayout(address);
    FitOverviewTo(*record);
    return;
  }
  ResetToOverview();
  FitOverviewTo(*record);
  SynchroniseFromDevice(address);
}

void MainWindow::FitOverviewTo(DeviceRecord& record) {
  FitOverview(*this, record.Inputs(), record.Outputs());
  const auto& channels = CurrentChannels(record.Address());
  MarkChannelHeaders(*this, channels.first, channels.second);
}

// A name that does not fit the processor's 20 bytes is refused and the box
// shows the stored name again (the box would otherwise show a name the
// processor does not have, and ask again when it loses the focus).
void MainWindow::CommitDeviceName(Notification& notification, bool by_return) {
  const auto position = DevicePosition(notification.sender->Name());
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
  SetTimer(WriteId::Rename(record->Address()).Value(), kWriteDelayMs);
}

void MainWindow::OnRenameTimer(std::uint32_t id) {
  KillTimer(id);
  const int address = WriteId(id).Address();
  if (const DeviceRecord* record = FindDevice(devices_, address)) {
    link_->Send(RenameFrame(static_cast<std::uint8_t>(address), record->Name()));
  }
}

void MainWindow::OnSyncButtonClick(Notification& notification) {
  const auto position = DevicePosition(notification.sender->Name());
  if (position && FindDevice(devices_, *position + 1) != nullptr) SynchroniseFromDevice(*position + 1);
}

// Forgets the device without telling it anything: a later scan finds it again.
void MainWindow::OnDeleteDeviceClick(Notification& notification) {
  const std::string button = notification.sender->Name();
  const auto position = DevicePosition(button);
  if (!position) return;
  const int address = *position + 1;
  registry_.Unregister(notify::kClick, button);
  delete_buttons_.erase(std::remove(delete_buttons_.begin(), delete_buttons_.end(), button), delete_buttons_.end());
  auto* root = Find<TreeNode>(kRootNode);
  auto* node = Find<TreeNode>(Suffixed(kRootNode, *position));
  if (root != nullptr && node != nullptr) root->RemoveChildNode(node);
  auto record = std::find_if(devices_.begin(), devices_.end(),
                             [address](const DeviceRecord& r) { return r.Address() == address; });
  if (record != devices_.end()) devices_.erase(record);
  current_channels_.erase(address);
  page_layouts_.erase(address);
  page_scroll_positions_.erase(address);
  if (last_selected_address_ == address) last_selected_address_ = -1;
}

// The switch hides what its "hidecontrols" attribute names (the device
// panel) and the device nodes; nodes added meanwhile are hidden too.
void MainWindow::OnHideDeviceList(Notification&) {
  const auto* hide = Find<CheckBox>(kHideSwitch);
  if (hide == nullptr) return;
  const bool hidden = hide->Check();
  for (const std::string& name : SplitList(hide->CustomAttribute("hidecontrols").value_or(""))) {
    if (Control* control = FindControl(name)) control->SetVisible(!hidden);
  }
  if (auto* root = Find<TreeNode>(kRootNode)) {
    for (int i = 0; i < root->ChildCount(); ++i) root->ChildNode(i)->SetVisible(!hidden);
  }
  if (!hidden || FindControl("device") == nullptr) return;
  if (FindDevice(devices_, last_selected_address_) != nullptr) StorePageLayout(last_selected_address_);
  last_selected_address_ = -1;
}

void MainWindow::RemoveDeviceNodes() {
  for (const std::string& button : delete_buttons_) registry_.Unregister(notify::kClick, button);
  delete_buttons_.clear();
  auto* root = Find<TreeNode>(kRootNode);
  if (root == nullptr) return;
  while (root->ChildCount() > 0) root->RemoveChildNode(root->ChildNode(root->ChildCount() - 1));
}

}  // namespace dsp
