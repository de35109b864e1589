#include "platform/combo.h"

#include "platform/notification.h"
#include "platform/qt_text.h"

namespace dsp {

Combo::Combo() : combo_(new QComboBox) {
  SetContent(combo_);
  setSizePolicy(combo_->sizePolicy());
  QObject::connect(combo_, &QComboBox::activated, this, [this](int index) { OnActivated(index); });
}

int Combo::AddItem(std::string_view text) {
  combo_->addItem(ToQt(text));
  // Qt selects the first item added to an empty box; nothing is chosen yet.
  if (last_selected_ < 0) combo_->setCurrentIndex(-1);
  return combo_->count() - 1;
}

void Combo::RemoveAll() {
  combo_->clear();
  last_selected_ = -1;
}

std::string Combo::ItemText(int index) const { return ToStd(combo_->itemText(index)); }

void Combo::SetItemText(int index, std::string_view text) { combo_->setItemText(index, ToQt(text)); }

std::string Combo::Text() const { return ToStd(combo_->currentText()); }

bool Combo::SelectItem(int index, bool notify) {
  if (index < -1 || index >= combo_->count()) return false;
  const int previous = last_selected_;
  combo_->setCurrentIndex(index);
  last_selected_ = index;
  if (notify && index != previous) SendNotify(notify::kItemSelect, static_cast<std::uintptr_t>(index), previous);
  return true;
}

void Combo::OnActivated(int index) {
  if (index == last_selected_) return;
  const int previous = last_selected_;
  last_selected_ = index;
  SendNotify(notify::kItemSelect, static_cast<std::uintptr_t>(index), previous);
}

}  // namespace dsp
