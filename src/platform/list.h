#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/button.h"
#include "platform/container.h"
#include "platform/scrolled_column.h"

namespace dsp {

class CheckBox;
class List;

// A column title of a List; a click raises "headerclick" (sender: the item).
class ListHeaderItem : public Button {
 public:
  std::string_view ClassName() const override { return "ListHeaderItem"; }

 protected:
  void OnClicked() override;
};

// A row of a List: its child controls are the cells, left to right.
class ListItem : public HorizontalLayout {
 public:
  ListItem();
  std::string_view ClassName() const override { return "ListItem"; }

  List* OwnerList() const;
  bool IsSelected() const;
  // The row's first check box cell, or nullptr.
  CheckBox* RowCheckBox() const;
  // Text of the cell in `column`, "" when there is none.
  std::string CellText(int column) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

// A list of rows under an optional header. Clicking a row raises
// "itemclick" (sender: the row) and, when the selection changed,
// "itemselect" (sender: the list, wParam the new index, lParam the previous
// one, -1 for none). A header item with a fixed width fixes the width of the
// cells below it. Attributes: selectedbkcolor; the custom attribute
// "checkboxstyle" (an attribute list) styles the check boxes of AddRow.
class List : public Control {
 public:
  List();
  std::string_view ClassName() const override { return "List"; }

  ListHeaderItem* AddHeaderItem(std::unique_ptr<ListHeaderItem> item);
  int HeaderCount() const { return static_cast<int>(header_items_.size()); }
  ListHeaderItem* HeaderItem(int index) const;

  ListItem* AddItem(std::unique_ptr<ListItem> item);
  // A new row: a check box cell first when asked for, then one label per
  // text.
  ListItem* AddRow(const std::vector<std::string>& texts, bool with_check_box = false);
  // Takes the row out at once; it is deleted later (see Container::Remove).
  void RemoveItem(ListItem* item);
  void RemoveAll();
  int ItemCount() const { return static_cast<int>(items_.size()); }
  ListItem* Item(int index) const;
  int IndexOf(const ListItem* item) const;

  int CurSel() const { return IndexOf(selected_); }
  // Selects the row at `index` (-1 for none) from code; raises
  // "itemselect" only when `notify` is set and the selection changed.
  // Returns false for an index out of range.
  bool SelectItem(int index, bool notify = false);

  QColor SelectedColor() const { return selected_color_; }
  void SetAttribute(std::string_view name, std::string_view value) override;

 private:
  friend class ListItem;
  void FitCellsToHeader(ListItem* item);
  void SelectByUser(ListItem* item);
  void ChangeSelection(ListItem* item, bool notify);

  QWidget* header_;
  QHBoxLayout* header_layout_;
  ScrolledColumn column_;
  std::vector<ListHeaderItem*> header_items_;
  std::vector<ListItem*> items_;
  ListItem* selected_ = nullptr;
  QColor selected_color_;
};

}  // namespace dsp
