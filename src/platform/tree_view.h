#pragma once

#include <QLabel>
#include <QToolButton>
#include <memory>
#include <vector>

#include "platform/container.h"
#include "platform/scrolled_column.h"

namespace dsp {

class TreeView;

// A node of a TreeView. Its row shows its text followed by any controls
// added to it (Container::Add and friends); child nodes hang below it.
// Attributes: expanded (default true).
class TreeNode : public Container {
 public:
  TreeNode();
  std::string_view ClassName() const override { return "TreeNode"; }

  TreeNode* AddChildNode(std::unique_ptr<TreeNode> node);
  // A new child node with the attribute list applied.
  TreeNode* AddChildNode(std::string_view attribute_list = {});
  // Takes `node` out of the tree at once; it is deleted later (see
  // Container::Remove).
  void RemoveChildNode(TreeNode* node);
  int ChildCount() const { return static_cast<int>(child_nodes_.size()); }
  TreeNode* ChildNode(int index) const;
  TreeNode* ParentNode() const;
  TreeView* Tree() const;

  bool IsExpanded() const { return expanded_; }
  void SetExpanded(bool expanded);
  bool IsSelected() const;

  void SetText(std::string_view text) override;
  void SetAttribute(std::string_view name, std::string_view value) override;
  // The node's row: clicking it selects the node.
  QWidget* InputWidget() override;

 protected:
  QBoxLayout* ChildLayout() override { return controls_; }
  void ApplyMargins() override;
  void ApplyTextColor() override;

 private:
  friend class TreeView;
  class Row;
  void InsertNode(TreeNode* node, int index, int depth);
  void SetDepth(int depth);
  void UpdateExpander();

  Row* row_;
  QWidget* indent_;
  QToolButton* expander_;
  QLabel* label_;
  QBoxLayout* controls_;
  QWidget* children_box_;
  QVBoxLayout* children_layout_;
  std::vector<TreeNode*> child_nodes_;
  bool expanded_ = true;
  int depth_ = 0;
};

// A tree of nodes. Nodes are numbered in display order over the whole tree
// (a node, then its children), hidden and collapsed ones included; the
// first top-level node is index 0. Clicking a node's row raises "itemclick"
// (sender: the node) and, when the selection changed, "itemselect" (sender:
// the tree, wParam the new index, lParam the previous one, -1 for none). The
// up and down keys move the selection the same way.
// Attributes: indent (pixels per level, default 16), selectedbkcolor.
class TreeView : public Control {
 public:
  TreeView();
  std::string_view ClassName() const override { return "TreeView"; }

  TreeNode* AddNode(std::unique_ptr<TreeNode> node);
  TreeNode* AddNode(std::string_view attribute_list = {});
  void RemoveNode(TreeNode* node);
  int TopNodeCount() const { return static_cast<int>(top_nodes_.size()); }
  TreeNode* TopNode(int index) const;

  int NodeCount() const;
  TreeNode* NodeAt(int index) const;
  int IndexOf(const TreeNode* node) const;

  int SelectedIndex() const { return IndexOf(selected_); }
  TreeNode* SelectedNode() const { return selected_; }
  // Selects the node at `index` (-1 for none) from code; raises
  // "itemselect" only when `notify` is set and the selection changed.
  // Returns false for an index out of range.
  bool SelectNode(int index, bool notify = false);

  int Indent() const { return indent_; }
  QColor SelectedColor() const { return selected_color_; }
  void SetAttribute(std::string_view name, std::string_view value) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TreeNode;
  std::vector<TreeNode*> AllNodes() const;
  void SelectByUser(TreeNode* node);
  void ChangeSelection(TreeNode* node, bool notify);
  void StepSelection(int direction);
  void Forget(const TreeNode* removed);

  ScrolledColumn column_;
  std::vector<TreeNode*> top_nodes_;
  TreeNode* selected_ = nullptr;
  int indent_ = 16;
  QColor selected_color_;
};

}  // namespace dsp
