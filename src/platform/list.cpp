#include "platform/list.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/attribute_values.h"
#include "platform/check_box.h"
#include "platform/label.h"
#include "platform/notification.h"
#include "platform/window.h"

namespace dsp {

void ListHeaderItem::OnClicked() { SendNotify(notify::kHeaderClick); }

ListItem::ListItem() { setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed); }

List* ListItem::OwnerList() const {
  for (QWidget* up = parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* list = dynamic_cast<List*>(up)) return list;
  }
  return nullptr;
}

bool ListItem::IsSelected() const {
  const List* list = OwnerList();
  return list != nullptr && list->selected_ == this;
}

CheckBox* ListItem::RowCheckBox() const {
  for (int i = 0; i < Count(); ++i) {
    if (auto* box = dynamic_cast<CheckBox*>(ChildAt(i))) return box;
  }
  return nullptr;
}

std::string ListItem::CellText(int column) const {
  const Control* cell = ChildAt(column);
  return cell != nullptr ? cell->Text() : std::string();
}

void ListItem::paintEvent(QPaintEvent* event) {
  Container::paintEvent(event);
  if (!IsSelected()) return;
  QPainter painter(this);
  painter.fillRect(rect(), OwnerList()->SelectedColor());
}

void ListItem::mousePressEvent(QMouseEvent* event) {
  List* list = OwnerList();
  if (event->button() != Qt::LeftButton || list == nullptr) return;
  list->SelectByUser(this);
}

List::List() : header_(new QWidget), header_layout_(new QHBoxLayout(header_)) {
  selected_color_ = palette().color(QPalette::Highlight);
  selected_color_.setAlpha(0x60);
  header_layout_->setContentsMargins(0, 0, 0, 0);
  header_layout_->setSpacing(0);
  header_->setVisible(false);
  auto* body = new QWidget;
  auto* body_layout = new QVBoxLayout(body);
  body_layout->setContentsMargins(0, 0, 0, 0);
  body_layout->setSpacing(0);
  body_layout->addWidget(header_);
  body_layout->addWidget(column_.Area(), 1);
  SetContent(body);
}

ListHeaderItem* List::AddHeaderItem(std::unique_ptr<ListHeaderItem> item) {
  ListHeaderItem* raw = item.release();
  header_layout_->addWidget(raw);
  header_items_.push_back(raw);
  raw->ApplyVisibility();
  header_->setVisible(true);
  if (OwnerWindow() != nullptr) OwnerWindow()->AdoptTree(raw);
  return raw;
}

ListHeaderItem* List::HeaderItem(int index) const {
  if (index < 0 || index >= HeaderCount()) return nullptr;
  return header_items_[static_cast<std::size_t>(index)];
}

ListItem* List::AddItem(std::unique_ptr<ListItem> item) {
  ListItem* raw = item.release();
  column_.Insert(ItemCount(), raw);
  items_.push_back(raw);
  raw->ApplyVisibility();
  FitCellsToHeader(raw);
  if (OwnerWindow() != nullptr) OwnerWindow()->AdoptTree(raw);
  return raw;
}

ListItem* List::AddRow(const std::vector<std::string>& texts, bool with_check_box) {
  auto row = std::make_unique<ListItem>();
  if (with_check_box) row->Add<CheckBox>(CustomAttribute("checkboxstyle").value_or(""));
  for (const std::string& text : texts) row->Add<Label>()->SetText(text);
  return AddItem(std::move(row));
}

void List::FitCellsToHeader(ListItem* item) {
  for (int column = 0; column < item->Count() && column < HeaderCount(); ++column) {
    const int width = HeaderItem(column)->FixedWidth();
    if (width > 0 && item->ChildAt(column)->FixedWidth() == 0) item->ChildAt(column)->SetFixedWidth(width);
  }
}

void List::RemoveItem(ListItem* item) {
  auto found = std::find(items_.begin(), items_.end(), item);
  if (found == items_.end()) return;
  items_.erase(found);
  column_.Remove(item);
  if (selected_ == item) selected_ = nullptr;
  if (OwnerWindow() != nullptr) OwnerWindow()->ReleaseTree(item);
  item->hide();
  item->deleteLater();
}

void List::RemoveAll() {
  while (!items_.empty()) RemoveItem(items_.back());
}

ListItem* List::Item(int index) const {
  if (index < 0 || index >= ItemCount()) return nullptr;
  return items_[static_cast<std::size_t>(index)];
}

int List::IndexOf(const ListItem* item) const {
  auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

bool List::SelectItem(int index, bool notify) {
  if (index < -1 || index >= ItemCount()) return false;
  ListItem* item = index < 0 ? nullptr : Item(index);
  if (item != selected_) ChangeSelection(item, notify);
  return true;
}

void List::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "selectedbkcolor") selected_color_ = ParseColor(name, value);
  else Control::SetAttribute(name, value);
}

void List::SelectByUser(ListItem* item) {
  column_.Area()->setFocus(Qt::MouseFocusReason);
  item->SendNotify(notify::kItemClick);
  if (item != selected_ && IndexOf(item) >= 0) ChangeSelection(item, true);
}

void List::ChangeSelection(ListItem* item, bool notify) {
  const int previous = CurSel();
  if (selected_ != nullptr) selected_->update();
  selected_ = item;
  if (item != nullptr) {
    item->update();
    column_.EnsureVisible(item);
  }
  if (notify) SendNotify(notify::kItemSelect, static_cast<std::uintptr_t>(CurSel()), previous);
}

}  // namespace dsp
