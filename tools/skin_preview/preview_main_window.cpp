#include "skin_preview/preview_main_window.h"

#include <array>
#include <string>

#include "app/overview_layout.h"
#include "platform/button.h"
#include "platform/check_box.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/tree_view.h"
#include "platform/window.h"

namespace dsp {
namespace {

// The child of a new device node, from one style attribute of the root.
template <class T>
T* AddChild(TreeNode& node, const TreeNode& root, const char* style, int index) {
  auto child = std::make_unique<T>();
  child->ApplyAttributeList(root.CustomAttribute(style).value_or(""));
  child->SetName(child->Name() + "_" + std::to_string(index));
  T* raw = child.get();
  node.Add(std::move(child));
  return raw;
}

}  // namespace

void FitPreviewChannels(Window& window, int inputs, int outputs) {
  FitOverview(window, inputs, outputs);
  MarkChannelHeaders(window, 0, 0);
}

void AddPreviewDevices(Window& window, int count, bool chinese) {
  auto* root = window.Find<TreeNode>("treenode_device");
  if (root == nullptr) return;
  static constexpr std::array kNames = {"Main Hall", "Stage Left", "Lobby", "Balcony", "Foyer", "Delay Line"};
  for (int i = 0; i < count; ++i) {
    auto node = std::make_unique<TreeNode>();
    node->SetName("treenode_device_" + std::to_string(i));
    AddChild<Label>(*node, *root, "labelstyle", i)->SetText(std::to_string(i + 1));
    AddChild<Edit>(*node, *root, "editstyle", i)->SetText(kNames[static_cast<std::size_t>(i) % kNames.size()]);
    AddChild<Label>(*node, *root, "labeltipsstyle", i)->SetText(i == 1 ? (chinese ? "保存中..." : "Saving...") : "");
    auto* circle = AddChild<Label>(*node, *root, "labelcirclestyle", i);
    if (!chinese) circle->SetText("click to syn");
    AddChild<CheckBox>(*node, *root, "checkboxstyle", i)->SetCheck(i % 3 != 2);
    AddChild<Button>(*node, *root, "buttoncirclestyle", i);
    AddChild<Button>(*node, *root, "buttondeletestyle", i);
    node->ApplyAttributeList(root->CustomAttribute("treenodestyle").value_or(""));
    root->AddChildNode(std::move(node));
  }
  if (count > 0) window.Find<TreeView>("treeview_device_list")->SelectNode(1);
}

}  // namespace dsp
