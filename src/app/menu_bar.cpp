#include "app/menu_bar.h"

namespace dsp {

void MenuBar::Register(NotifyRegistry& registry) {
  registry.On(notify::kClick, "button_file", this, &MenuBar::OnFileClick);
  registry.On(notify::kClick, "button_option", this, &MenuBar::OnOptionClick);
}

void MenuBar::OnFileClick(Notification& notification) { Open(file_menu_, *notification.sender, "FileMenu"); }

void MenuBar::OnOptionClick(Notification& notification) { Open(option_menu_, *notification.sender, "OptionMenu"); }

void MenuBar::Open(std::unique_ptr<Menu>& menu, const Control& button, const char* skin) {
  menu.reset();
  const std::string file = std::string("menu/") + skin + (language_ == Language::kEnglish ? "_en.xml" : ".xml");
  menu = Menu::Popup(window_, file, button.mapToGlobal(QPoint(0, button.height())));
}

}  // namespace dsp
