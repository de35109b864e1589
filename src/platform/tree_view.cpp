#include "platform/tree_view.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/attribute_values.h"
#include "platform/notification.h"
#include "platform/qt_text.h"
#include "platform/window.h"

namespace dsp {

class TreeNode::Row : public QWidget {
 public:
  explicit Row(TreeNode& node) : node_(node) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!node_.IsSelected()) return;
    QPainter painter(this);
    painter.fillRect(rect(), node_.Tree()->SelectedColor());
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton || node_.Tree() == nullptr) return;
    node_.Tree()->SelectByUser(&node_);
  }

  // Lets the node report the double click as its own.
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->ignore(); }

 private:
  TreeNode& node_;
};

TreeNode::TreeNode()
    : Container(QBoxLayout::TopToBottom),
      row_(new Row(*this)),
      indent_(new QWidget),
      expander_(new QToolButton),
      label_(new QLabel),
      children_box_(new QWidget),
      children_layout_(new QVBoxLayout(children_box_)) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* row_layout = new QHBoxLayout(row_);
  row_layout->setContentsMargins(2, 1, 2, 1);
  row_layout->setSpacing(2);
  indent_->setFixedWidth(0);
  expander_->setAutoRaise(true);
  expander_->setFixedSize(16, 16);
  QSizePolicy keep_space = expander_->sizePolicy();
  keep_space.setRetainSizeWhenHidden(true);
  expander_->setSizePolicy(keep_space);
  expander_->setVisible(false);
  QObject::connect(expander_, &QToolButton::clicked, this, [this] { SetExpanded(!expanded_); });
  label_->setTextFormat(Qt::PlainText);
  label_->setVisible(false);
  auto* controls_box = new QWidget;
  controls_ = new QHBoxLayout(controls_box);
  controls_->setContentsMargins(0, 0, 0, 0);
  controls_->setSpacing(2);
  // Controls pack to the left; the rest of the row is free to click.
  controls_->addStretch(1);
  row_layout->addWidget(indent_);
  row_layout->addWidget(expander_);
  row_layout->addWidget(label_);
  row_layout->addWidget(controls_box, 1);
  children_layout_->setContentsMargins(0, 0, 0, 0);
  children_layout_->setSpacing(0);
  layout()->addWidget(row_);
  layout()->addWidget(children_box_);
}

TreeNode* TreeNode::AddChildNode(std::unique_ptr<TreeNode> node) {
  TreeNode* raw = node.release();
  InsertNode(raw, ChildCount(), depth_ + 1);
  return raw;
}

TreeNode* TreeNode::AddChildNode(std::string_view attribute_list) {
  auto node = std::make_unique<TreeNode>();
  node->ApplyAttributeList(attribute_list);
  return AddChildNode(std::move(node));
}

void TreeNode::InsertNode(TreeNode* node, int index, int depth) {
  children_layout_->insertWidget(index, node);
  child_nodes_.insert(child_nodes_.begin() + index, node);
  node->ApplyVisibility();
  node->SetDepth(depth);
  UpdateExpander();
  if (OwnerWindow() != nullptr) OwnerWindow()->AdoptTree(node);
}

void TreeNode::RemoveChildNode(TreeNode* node) {
  auto found = std::find(child_nodes_.begin(), child_nodes_.end(), node);
  if (found == child_nodes_.end()) return;
  child_nodes_.erase(found);
  children_layout_->removeWidget(node);
  if (TreeView* tree = Tree()) tree->Forget(node);
  if (OwnerWindow() != nullptr) OwnerWindow()->ReleaseTree(node);
  node->hide();
  node->deleteLater();
  UpdateExpander();
}

TreeNode* TreeNode::ChildNode(int index) const {
  if (index < 0 || index >= ChildCount()) return nullptr;
  return child_nodes_[static_cast<std::size_t>(index)];
}

TreeNode* TreeNode::ParentNode() const {
  for (QWidget* up = parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* node = dynamic_cast<TreeNode*>(up)) return node;
    if (dynamic_cast<TreeView*>(up) != nullptr) return nullptr;
  }
  return nullptr;
}

TreeView* TreeNode::Tree() const {
  for (QWidget* up = parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* tree = dynamic_cast<TreeView*>(up)) return tree;
  }
  return nullptr;
}

void TreeNode::SetExpanded(bool expanded) {
  expanded_ = expanded;
  children_box_->setVisible(expanded);
  UpdateExpander();
}

bool TreeNode::IsSelected() const {
  const TreeView* tree = Tree();
  return tree != nullptr && tree->SelectedNode() == this;
}

void TreeNode::SetText(std::string_view text) {
  Control::SetText(text);
  label_->setText(ToQt(text));
  label_->setVisible(!text.empty());
}

void TreeNode::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "expanded") SetExpanded(ParseBool(name, value));
  else Container::SetAttribute(name, value);
}

QWidget* TreeNode::InputWidget() { return row_; }

void TreeNode::ApplyTextColor() {
  QPalette colours = label_->palette();
  colours.setColor(QPalette::WindowText, TextColor());
  label_->setPalette(colours);
}

void TreeNode::ApplyMargins() {
  layout()->setContentsMargins(Padding());
  controls_->setContentsMargins(Inset());
}

void TreeNode::SetDepth(int depth) {
  depth_ = depth;
  const TreeView* tree = Tree();
  indent_->setFixedWidth(depth * (tree != nullptr ? tree->Indent() : 16));
  for (TreeNode* child : child_nodes_) child->SetDepth(depth + 1);
}

void TreeNode::UpdateExpander() {
  expander_->setVisible(!child_nodes_.empty());
  expander_->setArrowType(expanded_ ? Qt::DownArrow : Qt::RightArrow);
}

TreeView::TreeView() {
  selected_color_ = palette().color(QPalette::Highlight);
  selected_color_.setAlpha(0x60);
  SetContent(column_.Area());
  column_.Area()->installEventFilter(this);
}

TreeNode* TreeView::AddNode(std::unique_ptr<TreeNode> node) {
  TreeNode* raw = node.release();
  column_.Insert(TopNodeCount(), raw);
  top_nodes_.push_back(raw);
  raw->ApplyVisibility();
  raw->SetDepth(0);
  if (OwnerWindow() != nullptr) OwnerWindow()->AdoptTree(raw);
  return raw;
}

TreeNode* TreeView::AddNode(std::string_view attribute_list) {
  auto node = std::make_unique<TreeNode>();
  node->ApplyAttributeList(attribute_list);
  return AddNode(std::move(node));
}

void TreeView::RemoveNode(TreeNode* node) {
  auto found = std::find(top_nodes_.begin(), top_nodes_.end(), node);
  if (found == top_nodes_.end()) return;
  top_nodes_.erase(found);
  column_.Remove(node);
  Forget(node);
  if (OwnerWindow() != nullptr) OwnerWindow()->ReleaseTree(node);
  node->hide();
  node->deleteLater();
}

TreeNode* TreeView::TopNode(int index) const {
  if (index < 0 || index >= TopNodeCount()) return nullptr;
  return top_nodes_[static_cast<std::size_t>(index)];
}

std::vector<TreeNode*> TreeView::AllNodes() const {
  std::vector<TreeNode*> nodes;
  std::vector<TreeNode*> pending(top_nodes_.rbegin(), top_nodes_.rend());
  while (!pending.empty()) {
    TreeNode* node = pending.back();
    pending.pop_back();
    nodes.push_back(node);
    for (int i = node->ChildCount() - 1; i >= 0; --i) pending.push_back(node->ChildNode(i));
  }
  return nodes;
}

int TreeView::NodeCount() const { return static_cast<int>(AllNodes().size()); }

TreeNode* TreeView::NodeAt(int index) const {
  const std::vector<TreeNode*> nodes = AllNodes();
  if (index < 0 || index >= static_cast<int>(nodes.size())) return nullptr;
  return nodes[static_cast<std::size_t>(index)];
}

int TreeView::IndexOf(const TreeNode* node) const {
  if (node == nullptr) return -1;
  const std::vector<TreeNode*> nodes = AllNodes();
  auto found = std::find(nodes.begin(), nodes.end(), node);
  return found == nodes.end() ? -1 : static_cast<int>(found - nodes.begin());
}

bool TreeView::SelectNode(int index, bool notify) {
  if (index < -1 || index >= NodeCount()) return false;
  TreeNode* node = index < 0 ? nullptr : NodeAt(index);
  if (node != selected_) ChangeSelection(node, notify);
  return true;
}

void TreeView::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "indent") {
    indent_ = ParseInt(name, value);
    for (TreeNode* node : top_nodes_) node->SetDepth(0);
  } else if (name == "selectedbkcolor") {
    selected_color_ = ParseColor(name, value);
  } else {
    Control::SetAttribute(name, value);
  }
}

void TreeView::SelectByUser(TreeNode* node) {
  column_.Area()->setFocus(Qt::MouseFocusReason);
  node->SendNotify(notify::kItemClick);
  if (node != selected_ && IndexOf(node) >= 0) ChangeSelection(node, true);
}

void TreeView::ChangeSelection(TreeNode* node, bool notify) {
  const int previous = SelectedIndex();
  if (selected_ != nullptr) selected_->row_->update();
  selected_ = node;
  if (node != nullptr) {
    node->row_->update();
    column_.EnsureVisible(node->row_);
  }
  if (notify) SendNotify(notify::kItemSelect, static_cast<std::uintptr_t>(SelectedIndex()), previous);
}

void TreeView::StepSelection(int direction) {
  std::vector<TreeNode*> shown;
  for (TreeNode* node : AllNodes()) {
    bool open = node->IsVisibleInWindow();
    for (TreeNode* up = node->ParentNode(); open && up != nullptr; up = up->ParentNode()) {
      open = up->IsExpanded();
    }
    if (open) shown.push_back(node);
  }
  if (shown.empty()) return;
  auto current = std::find(shown.begin(), shown.end(), selected_);
  std::ptrdiff_t position = current == shown.end() ? (direction > 0 ? -1 : 0) : current - shown.begin();
  position = std::clamp<std::ptrdiff_t>(position + direction, 0, static_cast<std::ptrdiff_t>(shown.size()) - 1);
  TreeNode* target = shown[static_cast<std::size_t>(position)];
  if (target != selected_) ChangeSelection(target, true);
}

void TreeView::Forget(const TreeNode* removed) {
  for (const TreeNode* node = selected_; node != nullptr; node = node->ParentNode()) {
    if (node == removed) {
      selected_ = nullptr;
      return;
    }
  }
}

bool TreeView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == column_.Area() && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      StepSelection(key == Qt::Key_Down ? 1 : -1);
      return true;
    }
  }
  return Control::eventFilter(watched, event);
}

}  // namespace dsp
