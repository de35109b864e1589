#include "app/captions.h"

#include "app/label_table.h"
#include "platform/combo.h"
#include "platform/qt_text.h"
#include "platform/window.h"

namespace dsp {
namespace {

std::vector<Control*> ControlsOf(Control* root) {
  std::vector<Control*> controls{root};
  for (QWidget* child : root->findChildren<QWidget*>()) {
    if (auto* control = dynamic_cast<Control*>(child)) controls.push_back(control);
  }
  return controls;
}

std::vector<std::string> SplitItems(const std::string& list) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    items.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  return items;
}

std::string ItemsOf(const Combo& combo) {
  std::string list;
  for (int i = 0; i < combo.ItemCount(); ++i) list += (i > 0 ? "," : "") + combo.ItemText(i);
  return list;
}

void SetItems(Combo& combo, const std::string& list) {
  const std::vector<std::string> items = SplitItems(list);
  for (int i = 0; i < combo.ItemCount() && i < static_cast<int>(items.size()); ++i) {
    combo.SetItemText(i, items[static_cast<std::size_t>(i)]);
  }
}

// One kind of caption: the skin gives the Chinese one in `chinese`; the
// English one is kept in `english` the first time it is replaced, so that
// English can be restored.
struct CaptionKind {
  const char* chinese;
  const char* english;
  std::string (*get)(Control&);
  void (*set)(Control&, const std::string&);
};

const CaptionKind kCaptionKinds[] = {
    {"text_zh", "text_en", [](Control& c) { return c.Text(); },
     [](Control& c, const std::string& text) { c.SetText(text); }},
    {"tooltip_zh", "tooltip_en", [](Control& c) { return ToStd(c.toolTip()); },
     [](Control& c, const std::string& text) { c.SetToolTip(text); }},
    {"items_zh", "items_en",
     [](Control& c) {
       auto* combo = dynamic_cast<Combo*>(&c);
       return combo != nullptr ? ItemsOf(*combo) : std::string();
     },
     [](Control& c, const std::string& list) {
       if (auto* combo = dynamic_cast<Combo*>(&c)) SetItems(*combo, list);
     }},
};

void ApplyCaption(Control& control, const CaptionKind& kind, bool chinese) {
  const auto chinese_caption = control.CustomAttribute(kind.chinese);
  if (!chinese_caption) return;
  if (chinese) {
    if (!control.CustomAttribute(kind.english)) control.SetCustomAttribute(kind.english, kind.get(control));
    kind.set(control, *chinese_caption);
  } else if (const auto english_caption = control.CustomAttribute(kind.english)) {
    kind.set(control, *english_caption);
  }
}

}  // namespace

void ApplyLabelTable(const Window& window, Language language) {
  for (const auto& [name, texts] : LabelTable()) {
    const auto text = LabelText(name, language);
    if (Control* control = window.FindControl(name); text && control != nullptr) control->SetText(*text);
  }
}

void ApplySkinCaptions(Control& root, Language language) {
  const bool chinese = language != Language::kEnglish;
  for (Control* control : ControlsOf(&root)) {
    for (const CaptionKind& kind : kCaptionKinds) ApplyCaption(*control, kind, chinese);
  }
}

}  // namespace dsp
