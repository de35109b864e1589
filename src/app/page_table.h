#pragma once

// The pages of the editing area: each page button with its six state
// images and the page window it shows, the close buttons of the page
// windows, and the blocks of the overview that open a page.

#include <map>
#include <string>

namespace dsp {

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

// Page button name -> entry, twelve rows.
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
