#pragma once

#include <QPoint>
#include <memory>
#include <string>

#include "platform/control.h"
#include "platform/window.h"

namespace dsp {

// One line of a pop-up menu. A click closes the menu and raises
// "itemclick" on the menu's owner window, with the item as the sender.
// Attribute: icon (an image drawn 18 px square before the text).
class MenuItem : public Control {
 public:
  MenuItem();
  std::string_view ClassName() const override { return "MenuItem"; }
  void SetText(std::string_view text) override;
  void SetAttribute(std::string_view name, std::string_view value) override;

 private:
  class Row;
  Row* row_;
};

// A pop-up menu built from a menu skin (root element <Menu>, items
// <MenuItem name="..." text="..."/>, any other controls allowed).
class Menu : public Window {
 public:
  Menu(Window& owner, std::string skin_file);

  // Builds the menu and shows it with its top-left corner at
  // `screen_position`. Throws SkinError when the menu skin is unusable.
  static std::unique_ptr<Menu> Popup(Window& owner, std::string skin_file, QPoint screen_position);

  std::string SkinFile() const override { return skin_file_; }
  std::string ClassName() const override { return "Menu"; }
  Window& Owner() const { return owner_; }

 protected:
  Qt::WindowFlags HostFlags() const override { return Qt::Popup; }

 private:
  friend class MenuItem;
  void OnItemClicked(MenuItem* item);

  Window& owner_;
  std::string skin_file_;
};

}  // namespace dsp
