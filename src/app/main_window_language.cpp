// Applying the interface language: the skin's own captions, the label table
// and the devices' sync indicators.
#include "app/label_table.h"
#include "app/main_window.h"
#include "platform/combo.h"
#include "platform/qt_text.h"

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

// The port suffix of the title stays through a change of caption.
void MainWindow::ApplyLanguage() {
  const std::string suffix = title_suffix_;
  SetTitleSuffix("");
  if (Root() != nullptr) ApplySkinCaptions(*Root());
  SetTitleSuffix(suffix);
  for (const auto& [name, texts] : LabelTable()) ApplyLabel(name);
  for (const DeviceRecord& record : devices_) {
    if (Control* circle = FindControl("label_circle_" + std::to_string(record.Address() - 1))) {
      circle->SetText(SyncIndicatorText(language_));
    }
  }
}

// A language other than 0 and 1 leaves the captions as they are.
void MainWindow::ApplyLabel(const std::string& name) {
  if (language_ != kChinese && language_ != kEnglish) return;
  auto found = LabelTable().find(name);
  Control* control = FindControl(name);
  if (found != LabelTable().end() && control != nullptr) {
    control->SetText(found->second[static_cast<std::size_t>(language_)]);
  }
}

void MainWindow::ApplySkinCaptions(Control& root) {
  const bool chinese = language_ != kEnglish;
  for (Control* control : ControlsOf(&root)) {
    for (const CaptionKind& kind : kCaptionKinds) ApplyCaption(*control, kind, chinese);
  }
}

}  // namespace dsp
