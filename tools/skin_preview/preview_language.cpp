#include "skin_preview/preview_language.h"

#include <QWidget>

#include "app/label_table.h"
#include "platform/combo.h"
#include "platform/control.h"
#include "platform/window.h"

namespace dsp {
namespace {

void ApplyChineseAttributes(Control& control) {
  if (auto text = control.CustomAttribute("text_zh")) control.SetText(*text);
  if (auto tip = control.CustomAttribute("tooltip_zh")) control.SetToolTip(*tip);
  auto* combo = dynamic_cast<Combo*>(&control);
  auto items = control.CustomAttribute("items_zh");
  if (combo == nullptr || !items) return;
  int index = 0;
  std::size_t start = 0;
  while (start <= items->size() && index < combo->ItemCount()) {
    const std::size_t comma = items->find(',', start);
    combo->SetItemText(index++, items->substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

}  // namespace

void ApplyPreviewLanguage(Window& window, bool chinese) {
  for (const auto& [name, texts] : LabelTable()) {
    if (Control* control = window.FindControl(name)) control->SetText(texts[chinese ? 0 : 1]);
  }
  if (!chinese || window.Root() == nullptr) return;
  ApplyChineseAttributes(*window.Root());
  // Control has no meta-object of its own, so the widgets are sorted by RTTI.
  for (QWidget* widget : window.Root()->findChildren<QWidget*>()) {
    if (auto* control = dynamic_cast<Control*>(widget)) ApplyChineseAttributes(*control);
  }
}

}  // namespace dsp
