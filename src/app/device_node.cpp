#include "app/device_node.h"

#include "app/captions.h"
#include "app/control_names.h"
#include "app/label_table.h"
#include "platform/check_box.h"
#include "platform/tree_view.h"
#include "platform/window.h"

namespace dsp {
namespace {

// A child of a device node: the root's style list for it, then the
// device's position appended to the name the style gave.
Control* AddNodeChild(TreeNode& node, const TreeNode& root, std::string_view class_name, const char* style,
                      int position) {
  Control* child = node.AddNew(class_name, root.CustomAttribute(style).value_or(""));
  child->SetName(Channel(child->Name(), position));
  return child;
}

}  // namespace

std::optional<std::string> AddDeviceNode(const Window& window, const std::string& name, int position,
                                         Language language) {
  auto* root = window.Find<TreeNode>(kDeviceRootNode);
  const auto* hide = window.Find<CheckBox>(kHideDeviceListSwitch);
  if (window.Find<TreeView>(kDeviceTree) == nullptr || root == nullptr || hide == nullptr) return std::nullopt;
  auto node = std::make_unique<TreeNode>();
  node->ApplyAttributeList(root->CustomAttribute("treenodestyle").value_or(""));
  node->SetName(Channel(kDeviceRootNode, position));
  node->SetVisible(!hide->Check());
  AddNodeChild(*node, *root, "Label", "labelstyle", position)->SetText(std::to_string(position + 1));
  // The name takes the focus only from a click: focus that Qt passes on
  // (a page or menu closing) must not land in it, where the next
  // keystrokes would rename the processor.
  Control* name_edit = AddNodeChild(*node, *root, "Edit", "editstyle", position);
  name_edit->SetText(name);
  name_edit->InputWidget()->setFocusPolicy(Qt::ClickFocus);
  AddNodeChild(*node, *root, "Label", "labeltipsstyle", position);
  Control* circle = AddNodeChild(*node, *root, "Label", "labelcirclestyle", position);
  if (language != Language::kChinese) circle->SetText(SyncIndicatorText(language));
  // A processor is listed because it has just answered the scan: it shows as
  // answering until level polls really go unanswered, not red until a first
  // poll (which a read started by selecting it holds back) comes round to it.
  if (auto* connected = dynamic_cast<CheckBox*>(AddNodeChild(*node, *root, "CheckBox", "checkboxstyle", position))) {
    connected->SetCheck(true);
  }
  AddNodeChild(*node, *root, "Button", "buttoncirclestyle", position);
  std::string delete_button = AddNodeChild(*node, *root, "Button", "buttondeletestyle", position)->Name();
  ApplySkinCaptions(*node, language);
  root->AddChildNode(std::move(node));
  return delete_button;
}

}  // namespace dsp
