#pragma once

// The pages of the editing area, in the order of the page bar. Everything
// the window knows about a page comes from this one list: its button (six
// state images), window and close button, which side's channel it shows
// and how it is refreshed, its title, whether its panel stays square while
// the window is maximised, and the class that gives it behaviour. Adding a
// page is one row here (see docs/architecture.md).

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/texts.h"

namespace dsp {

class Page;
class WindowContext;

enum class PageArgument {
  kChannel,  // refreshed for the current channel of its side
  kSide,     // shows a whole side and is refreshed with the side
  kNone,
};

struct PageInfo {
  std::string stem;  // "input": button_input, window_input, button_close_input, image/input*.png
  int side;          // whose current channel it shows; -1 for neither
  PageArgument argument;
  std::string title_label;
  // The title with %c for the channel's letter; without one, the label
  // table's text of the title label.
  const BilingualText* title;
  bool square_panel;
  std::unique_ptr<Page> (*make)(WindowContext&);  // nullptr: the title is all it shows yet

  std::string Button() const { return "button_" + stem; }
  std::string Window() const { return "window_" + stem; }
  std::string CloseButton() const { return "button_close_" + stem; }
};

const std::vector<PageInfo>& PageList();
const PageInfo* FindPage(const std::string& window);

struct PageEntry {
  std::string normal_image;
  std::string hot_image;
  std::string pushed_image;
  std::string selected_image;
  std::string selected_hot_image;
  std::string selected_pushed_image;
  std::string window;  // empty for button_home: the overview is no page window
};

inline constexpr const char* kHomeButton = "button_home";
inline constexpr const char* kHomeWindow = "window_home";
inline constexpr const char* kDetailWindow = "window_detail";

// Page button name -> entry: button_home and the pages of the list.
const std::map<std::string, PageEntry>& PageTable();

// Close button of a page window -> its page button.
const std::map<std::string, std::string>& CloseButtonTable();

// What a click on an overview block opens: the page button, the argument of
// the page's refresh (a channel, or the side for the delay pages), and the
// channel strip it selects (side -1: none).
struct BlockTarget {
  std::string page_button;
  int argument = 0;
  int side = -1;
  int channel = 0;
};

// Block control name (family + "_" + channel) -> target.
const std::map<std::string, BlockTarget>& OverviewBlockTable();

}  // namespace dsp
