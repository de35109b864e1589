#include "platform/control_factory.h"

#include <functional>
#include <map>

#include "platform/button.h"
#include "platform/check_box.h"
#include "platform/combo.h"
#include "platform/container.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/list.h"
#include "platform/menu.h"
#include "platform/progress.h"
#include "platform/rich_edit.h"
#include "platform/scroll_view.h"
#include "platform/slider.h"
#include "platform/tree_view.h"
#include "platform/window.h"

namespace dsp {
namespace {

template <class T>
std::unique_ptr<Control> Make() {
  return std::make_unique<T>();
}

using Factory = std::unique_ptr<Control> (*)();

const std::map<std::string_view, Factory>& StandardClasses() {
  static const std::map<std::string_view, Factory> classes = {
      {"Control", &Make<Control>},
      {"VerticalLayout", &Make<VerticalLayout>},
      {"HorizontalLayout", &Make<HorizontalLayout>},
      {"ScrollView", &Make<ScrollView>},
      {"Button", &Make<Button>},
      {"Label", &Make<Label>},
      {"Edit", &Make<Edit>},
      {"RichEdit", &Make<RichEdit>},
      {"CheckBox", &Make<CheckBox>},
      {"Slider", &Make<Slider>},
      {"Progress", &Make<Progress>},
      {"Combo", &Make<Combo>},
      {"TreeView", &Make<TreeView>},
      {"TreeNode", &Make<TreeNode>},
      {"List", &Make<List>},
      {"ListHeaderItem", &Make<ListHeaderItem>},
      {"ListItem", &Make<ListItem>},
      {"MenuItem", &Make<MenuItem>},
  };
  return classes;
}

}  // namespace

std::unique_ptr<Control> CreateControlByClass(Window* window, std::string_view class_name) {
  const auto& classes = StandardClasses();
  auto found = classes.find(class_name);
  if (found != classes.end()) return found->second();
  if (window != nullptr) return window->CreateControl(class_name);
  return nullptr;
}

}  // namespace dsp
