#pragma once

// The title bar's file and option menus. A click on button_file or
// button_option pops the menu up under the button's bottom-left corner,
// from the skin of the interface's language ("_en" for English); a menu of
// the same kind still open is closed first. Its items reach the window as
// "itemclick".

#include <memory>

#include "app/notify_registry.h"
#include "language/language.h"
#include "platform/menu.h"

namespace dsp {

class MenuBar {
 public:
  // `language` is the window's own, read at each opening.
  MenuBar(Window& window, const Language& language) : window_(window), language_(language) {}

  void Register(NotifyRegistry& registry);

 private:
  void OnFileClick(Notification& notification);
  void OnOptionClick(Notification& notification);
  void Open(std::unique_ptr<Menu>& menu, const Control& button, const char* skin);

  Window& window_;
  const Language& language_;
  std::unique_ptr<Menu> file_menu_;
  std::unique_ptr<Menu> option_menu_;
};

}  // namespace dsp
