#pragma once

#include <QScrollArea>

#include "platform/container.h"

namespace dsp {

// A column of child controls that scrolls when it does not fit.
// Attributes: vscrollbar, hscrollbar ("true": shown when needed, the
// default for vertical; "false": never).
class ScrollView : public Container {
 public:
  ScrollView();
  std::string_view ClassName() const override { return "ScrollView"; }

  QPoint ScrollPos() const;
  void SetScrollPos(QPoint position);
  // The largest scroll position in each direction.
  QSize ScrollRange() const;
  bool IsVerticalScrollBarVisible() const;
  // When the top of `child` (any control inside the view) is outside the
  // visible part, scrolls so that it is at the top. Returns whether it
  // scrolled.
  bool ScrollToChild(const Control* child);

  void SetAttribute(std::string_view name, std::string_view value) override;

 protected:
  QBoxLayout* ChildLayout() override { return inner_layout_; }
  void ApplyMargins() override;

 private:
  QScrollArea* area_;
  QBoxLayout* inner_layout_;
};

// Lays out everything that asked for it, so positions and scroll ranges read
// right after a change (showing a page, adding rows) are current.
void FlushPendingLayouts();

}  // namespace dsp
