#include "platform/container.h"

#include <algorithm>

#include "platform/attribute_values.h"
#include "platform/control_factory.h"
#include "platform/window.h"

namespace dsp {

Container::Container(QBoxLayout::Direction direction) : layout_(new QBoxLayout(direction, this)) {
  layout_->setSpacing(0);
  layout_->setContentsMargins(0, 0, 0, 0);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

Control* Container::ChildAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return children_[static_cast<std::size_t>(index)];
}

int Container::IndexOf(const Control* child) const {
  auto found = std::find(children_.begin(), children_.end(), child);
  return found == children_.end() ? -1 : static_cast<int>(found - children_.begin());
}

void Container::Add(std::unique_ptr<Control> child) { AddAt(std::move(child), Count()); }

void Container::AddAt(std::unique_ptr<Control> child, int index) {
  index = std::clamp(index, 0, Count());
  Control* raw = child.release();
  ChildLayout()->insertWidget(index, raw);
  children_.insert(children_.begin() + index, raw);
  raw->ApplyVisibility();
  if (OwnerWindow() != nullptr) OwnerWindow()->AdoptTree(raw);
}

Control* Container::AddNew(std::string_view class_name, std::string_view attribute_list) {
  std::unique_ptr<Control> child = CreateControlByClass(OwnerWindow(), class_name);
  if (!child) throw AttributeError("no control class \"" + std::string(class_name) + "\"");
  child->ApplyAttributeList(attribute_list);
  Control* raw = child.get();
  Add(std::move(child));
  return raw;
}

void Container::Remove(Control* child) {
  const int index = IndexOf(child);
  if (index < 0) return;
  children_.erase(children_.begin() + index);
  ChildLayout()->removeWidget(child);
  if (OwnerWindow() != nullptr) OwnerWindow()->ReleaseTree(child);
  child->hide();
  child->deleteLater();
}

void Container::RemoveAll() {
  while (Count() > 0) Remove(children_.back());
}

void Container::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "inset") {
    inset_ = ParseMargins(name, value);
    ApplyMargins();
  } else if (name == "spacing") {
    ChildLayout()->setSpacing(ParseInt(name, value));
  } else {
    Control::SetAttribute(name, value);
  }
}

void Container::ApplyMargins() {
  layout_->setContentsMargins(Padding() + (ChildLayout() == layout_ ? inset_ : QMargins()));
}

}  // namespace dsp
