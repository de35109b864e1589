#include "platform/skin_builder.h"

#include <QApplication>
#include <set>

#include "platform/combo.h"
#include "platform/container.h"
#include "platform/control_factory.h"
#include "platform/list.h"
#include "platform/qt_text.h"
#include "platform/skin_error.h"
#include "platform/skin_palette.h"
#include "platform/tree_view.h"

namespace dsp {
namespace {

[[noreturn]] void Fail(const SkinElement& element, const std::string& reason) {
  throw SkinError(element.file, element.line, reason);
}

class Builder {
 public:
  explicit Builder(Window& window) : window_(window) {}

  WindowSkin BuildRoot(const SkinElement& root);

 private:
  std::unique_ptr<Control> Build(const SkinElement& element);
  void Apply(Control& control, const SkinElement& element, const std::string& name, const std::string& value);
  void CheckName(const Control& control, const SkinElement& element);
  void AddChildren(Control& parent, const SkinElement& element);
  void AddChild(Control& parent, const SkinElement& child);
  void AddComboItem(Combo& combo, const SkinElement& item);
  void AddListHeader(List& list, const SkinElement& header);
  QFont ReadFont(const SkinElement& element, int& id, bool& is_default);

  Window& window_;
  std::set<std::string> names_;
};

template <class T>
std::unique_ptr<T> Downcast(std::unique_ptr<Control> control) {
  return std::unique_ptr<T>(static_cast<T*>(control.release()));
}

WindowSkin Builder::BuildRoot(const SkinElement& root) {
  if (root.tag != "Window" && root.tag != "Menu") {
    Fail(root, "the root element must be <Window> or <Menu>, not <" + root.tag + ">");
  }
  WindowSkin skin;
  skin.root = std::make_unique<VerticalLayout>();
  for (const auto& [name, value] : root.attributes) {
    try {
      if (name == "size") skin.size = ParseSize(name, value);
      else if (name == "minsize") skin.min_size = ParseSize(name, value);
      else if (name == "palette") skin.palette = SkinPalette(value);
      else Apply(*skin.root, root, name, value);
    } catch (const AttributeError& error) {
      Fail(root, error.what());
    }
  }
  CheckName(*skin.root, root);
  for (const SkinElement& child : root.children) {
    if (child.tag != "Font") {
      AddChild(*skin.root, child);
      continue;
    }
    int id = 0;
    bool is_default = false;
    QFont font = ReadFont(child, id, is_default);
    if (!skin.fonts.emplace(id, font).second) Fail(child, "font id " + std::to_string(id) + " is defined twice");
    if (is_default) skin.default_font = font;
  }
  return skin;
}

QFont Builder::ReadFont(const SkinElement& element, int& id, bool& is_default) {
  QFont font = QApplication::font();
  bool has_id = false;
  try {
    for (const auto& [name, value] : element.attributes) {
      if (name == "id") {
        id = ParseInt(name, value);
        has_id = true;
      } else if (name == "name") {
        font.setFamily(ToQt(value));
      } else if (name == "size") {
        font.setPixelSize(ParseInt(name, value));
      } else if (name == "bold") {
        font.setBold(ParseBool(name, value));
      } else if (name == "italic") {
        font.setItalic(ParseBool(name, value));
      } else if (name == "underline") {
        font.setUnderline(ParseBool(name, value));
      } else if (name == "default") {
        is_default = ParseBool(name, value);
      } else {
        Fail(element, "<Font> has no attribute " + name);
      }
    }
  } catch (const AttributeError& error) {
    Fail(element, error.what());
  }
  if (!has_id) Fail(element, "<Font> needs an id");
  return font;
}

std::unique_ptr<Control> Builder::Build(const SkinElement& element) {
  std::unique_ptr<Control> control = CreateControlByClass(&window_, element.tag);
  if (!control) Fail(element, "unknown element <" + element.tag + ">");
  for (const auto& [name, value] : element.attributes) Apply(*control, element, name, value);
  CheckName(*control, element);
  AddChildren(*control, element);
  return control;
}

void Builder::Apply(Control& control, const SkinElement& element, const std::string& name,
                    const std::string& value) {
  try {
    control.SetAttribute(name, value);
  } catch (const AttributeError& error) {
    Fail(element, error.what());
  }
}

void Builder::CheckName(const Control& control, const SkinElement& element) {
  if (control.Name().empty()) return;
  if (!names_.insert(control.Name()).second) Fail(element, "the name \"" + control.Name() + "\" is used twice");
}

void Builder::AddChildren(Control& parent, const SkinElement& element) {
  for (const SkinElement& child : element.children) AddChild(parent, child);
}

void Builder::AddChild(Control& parent, const SkinElement& child) {
  if (auto* combo = dynamic_cast<Combo*>(&parent)) {
    if (child.tag != "Item") Fail(child, "<Combo> holds <Item> elements only");
    AddComboItem(*combo, child);
  } else if (auto* list = dynamic_cast<List*>(&parent)) {
    if (child.tag == "ListHeader") {
      AddListHeader(*list, child);
    } else if (child.tag == "ListItem") {
      list->AddItem(Downcast<ListItem>(Build(child)));
    } else {
      Fail(child, "<List> holds <ListHeader> and <ListItem> elements only");
    }
  } else if (auto* tree = dynamic_cast<TreeView*>(&parent)) {
    if (child.tag != "TreeNode") Fail(child, "<TreeView> holds <TreeNode> elements only");
    tree->AddNode(Downcast<TreeNode>(Build(child)));
  } else if (auto* node = dynamic_cast<TreeNode*>(&parent); node != nullptr && child.tag == "TreeNode") {
    node->AddChildNode(Downcast<TreeNode>(Build(child)));
  } else if (auto* container = dynamic_cast<Container*>(&parent)) {
    if (child.tag == "Font") Fail(child, "<Font> belongs directly under the root element");
    container->Add(Build(child));
  } else {
    Fail(child, "<" + std::string(parent.ClassName()) + "> cannot hold <" + child.tag + ">");
  }
}

void Builder::AddComboItem(Combo& combo, const SkinElement& item) {
  const int index = combo.AddItem("");
  try {
    for (const auto& [name, value] : item.attributes) {
      if (name == "text") combo.SetItemText(index, value);
      else if (name == "selected" && ParseBool(name, value)) combo.SelectItem(index);
      else if (name != "selected") Fail(item, "<Item> takes text and selected, not " + name);
    }
  } catch (const AttributeError& error) {
    Fail(item, error.what());
  }
  if (!item.children.empty()) Fail(item, "<Item> has no child elements");
}

void Builder::AddListHeader(List& list, const SkinElement& header) {
  if (!header.attributes.empty()) Fail(header, "<ListHeader> takes no attributes; style its items");
  for (const SkinElement& item : header.children) {
    if (item.tag != "ListHeaderItem") Fail(item, "<ListHeader> holds <ListHeaderItem> elements only");
    list.AddHeaderItem(Downcast<ListHeaderItem>(Build(item)));
  }
}

}  // namespace

WindowSkin BuildWindowSkin(Window& window, const SkinElement& root) { return Builder(window).BuildRoot(root); }

}  // namespace dsp
