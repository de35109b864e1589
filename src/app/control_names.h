#pragma once

// How the skin names the controls the program addresses by number: a
// channel's control is its family name plus "_0" .. "_7", the whole side's
// box the family plus "_all", a matrix cross-point "button_in_" + input
// letter + "_out_" + output number. The pages, the tests and the skin
// preview all build and read names through these.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace dsp {

// A family's control for the whole side, where a channel number would go.
inline constexpr int kAllChannels = -1;

// "input" or "output", as the control names spell the sides.
std::string_view SideName(int side);

// Channel("slider_gain_input", 3) is "slider_gain_input_3";
// Channel(family, kAllChannels) is family + "_all".
std::string Channel(std::string_view family, int channel);

// Family and side, with "%s" where the side's name goes:
// SidedName("checkbox_mute_%s", 1) is "checkbox_mute_output".
std::string SidedName(std::string_view pattern, int side);

// The number after the last "_" of a name ("edit_device_name_12" gives 12),
// nothing when there is none.
std::optional<int> TrailingIndex(std::string_view name);

// The channel a per-channel name ends in: 0..7, or kAllChannels for "_all".
std::optional<int> ChannelOf(std::string_view name);

// MatrixCell(2, 5) is "button_in_c_out_6" (input and output from 0).
std::string MatrixCell(int input, int output);
// The (input, output) of a cross-point's name.
std::optional<std::pair<int, int>> MatrixCellOf(std::string_view name);

}  // namespace dsp
