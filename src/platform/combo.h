#pragma once

#include <QComboBox>

#include "platform/control.h"

namespace dsp {

// A drop-down list. Choosing a different item raises "itemselect" with the
// new index in wParam and the previous one in lParam. Nothing is selected
// (CurSel() == -1) until an item is selected. In a skin, items are <Item
// text="..."/> children; selected="true" on one selects it.
class Combo : public Control {
 public:
  Combo();
  std::string_view ClassName() const override { return "Combo"; }

  int AddItem(std::string_view text);
  void RemoveAll();
  int ItemCount() const { return combo_->count(); }
  std::string ItemText(int index) const;
  void SetItemText(int index, std::string_view text);
  int CurSel() const { return combo_->currentIndex(); }
  // Selects `index` (-1 for none) from code; raises "itemselect" only when
  // `notify` is set and the selection changed. Returns false for an index
  // out of range.
  bool SelectItem(int index, bool notify = false);

  std::string Text() const override;

 private:
  void OnActivated(int index);

  QComboBox* combo_;
  int last_selected_ = -1;
};

}  // namespace dsp
