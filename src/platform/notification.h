#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dsp {

class Control;

// What a control reports to its window: the event type, who raised it, when
// (the clock's milliseconds) and two parameters whose meaning depends on
// the type.
struct Notification {
  std::string type;
  Control* sender = nullptr;
  std::int64_t timestamp_ms = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
};

// The notification types the controls raise.
namespace notify {
inline constexpr std::string_view kClick = "click";
inline constexpr std::string_view kDbClick = "dbclick";
inline constexpr std::string_view kValueChanged = "valuechanged";
inline constexpr std::string_view kMoveValueChanged = "movevaluechanged";
inline constexpr std::string_view kSelectChanged = "selectchanged";
inline constexpr std::string_view kItemSelect = "itemselect";
inline constexpr std::string_view kItemClick = "itemclick";
inline constexpr std::string_view kHeaderClick = "headerclick";
inline constexpr std::string_view kSetFocus = "setfocus";
inline constexpr std::string_view kKillFocus = "killfocus";
inline constexpr std::string_view kReturn = "return";
inline constexpr std::string_view kScroll = "scroll";
inline constexpr std::string_view kDirection = "direction";
inline constexpr std::string_view kMouseEnter = "mouseenter";
inline constexpr std::string_view kMouseLeave = "mouseleave";
inline constexpr std::string_view kWindowInit = "windowinit";
inline constexpr std::string_view kWindowSize = "windowsize";
}  // namespace notify

// wParam of "scroll": a wheel step away from the user, or towards the user.
inline constexpr std::uintptr_t kScrollUp = 0;
inline constexpr std::uintptr_t kScrollDown = 1;

}  // namespace dsp
