#include "platform/scrolled_column.h"

namespace dsp {

ScrolledColumn::ScrolledColumn() : area_(new QScrollArea) {
  area_->setWidgetResizable(true);
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area_->setFocusPolicy(Qt::StrongFocus);
  auto* inner = new QWidget;
  rows_ = new QVBoxLayout(inner);
  rows_->setSpacing(0);
  rows_->setContentsMargins(0, 0, 0, 0);
  rows_->addStretch(1);
  area_->setWidget(inner);
}

void ScrolledColumn::Insert(int index, QWidget* row) { rows_->insertWidget(index, row); }

void ScrolledColumn::Remove(QWidget* row) { rows_->removeWidget(row); }

void ScrolledColumn::EnsureVisible(QWidget* row) { area_->ensureWidgetVisible(row, 0, 0); }

}  // namespace dsp
