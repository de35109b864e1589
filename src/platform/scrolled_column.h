#pragma once

#include <QScrollArea>
#include <QVBoxLayout>

namespace dsp {

// Rows stacked from the top of a scroll area: the body of trees and lists.
class ScrolledColumn {
 public:
  ScrolledColumn();

  QScrollArea* Area() const { return area_; }
  void Insert(int index, QWidget* row);
  void Remove(QWidget* row);
  // Scrolls the least needed to show `row`.
  void EnsureVisible(QWidget* row);

 private:
  QScrollArea* area_;
  QVBoxLayout* rows_;
};

}  // namespace dsp
