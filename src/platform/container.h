#pragma once

#include <QBoxLayout>
#include <memory>
#include <vector>

#include "platform/control.h"

namespace dsp {

// A control that lays out child controls in a row or a column.
class Container : public Control {
 public:
  int Count() const { return static_cast<int>(children_.size()); }
  Control* ChildAt(int index) const;
  int IndexOf(const Control* child) const;

  // Takes ownership of `child`; named children become findable on the window.
  void Add(std::unique_ptr<Control> child);
  void AddAt(std::unique_ptr<Control> child, int index);
  // Creates a control of the given skin class (a standard one or a custom
  // one of the window's CreateControl), applies the attribute list and adds
  // it. Throws AttributeError for an unknown class or a bad list.
  Control* AddNew(std::string_view class_name, std::string_view attribute_list = {});
  template <class T>
  T* Add(std::string_view attribute_list = {}) {
    auto child = std::make_unique<T>();
    child->ApplyAttributeList(attribute_list);
    T* raw = child.get();
    Add(std::move(child));
    return raw;
  }

  // Takes `child` out at once (it can no longer be found or raise anything)
  // and deletes it when control returns to the event loop, so a control may
  // remove itself from its own notification.
  void Remove(Control* child);
  void RemoveAll();

  void SetAttribute(std::string_view name, std::string_view value) override;
  QMargins Inset() const { return inset_; }

 protected:
  explicit Container(QBoxLayout::Direction direction);
  // The layout the children go into (a scroll view keeps it inside its
  // scroll area).
  virtual QBoxLayout* ChildLayout() { return layout_; }
  void ApplyMargins() override;
  // A container's text colour stays its own; Qt would hand it down.
  void ApplyTextColor() override {}

 private:
  QBoxLayout* layout_;
  QMargins inset_;
  std::vector<Control*> children_;
};

class VerticalLayout : public Container {
 public:
  VerticalLayout() : Container(QBoxLayout::TopToBottom) {}
  std::string_view ClassName() const override { return "VerticalLayout"; }
};

class HorizontalLayout : public Container {
 public:
  HorizontalLayout() : Container(QBoxLayout::LeftToRight) {}
  std::string_view ClassName() const override { return "HorizontalLayout"; }
};

}  // namespace dsp
