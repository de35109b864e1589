#pragma once

// The controls of the equaliser pages, "%s" for the side ("input" or
// "output"); per-column controls end in "_0" .. "_10".

namespace dsp::eq_names {

inline constexpr const char* kGraph = "graph_%s_eq";
inline constexpr const char* kColumnBox = "checkbox_%s_eq";
inline constexpr const char* kColumnCaption = "Label_%s_eq_show";
inline constexpr const char* kSelectedHeading = "label_%s_eq_selected";
inline constexpr const char* kEnableBox = "checkbox_%s_eq_enable";
inline constexpr const char* kTypeCombo = "combo_%s_eq_type";
inline constexpr const char* kFrequencyEdit = "edit_%s_eq_frequence";
inline constexpr const char* kGainEdit = "edit_%s_eq_gain";
inline constexpr const char* kQEdit = "edit_%s_eq_q";
inline constexpr const char* kBypassBox = "checkbox_%s_eq_bypass";
inline constexpr const char* kShowControlBox = "checkbox_%s_eq_show_control";
inline constexpr const char* kLeftButton = "button_%s_eq_left";
inline constexpr const char* kRightButton = "button_%s_eq_right";
inline constexpr const char* kCopyButton = "button_%s_eq_copy";
inline constexpr const char* kPasteButton = "button_%s_eq_paste";
inline constexpr const char* kResetButton = "button_%s_eq_reset";
inline constexpr const char* kImportButton = "button_%s_eq_import";
inline constexpr const char* kHighPassBox = "checkbox_%s_high_pass_enable";
inline constexpr const char* kHighPassEdit = "edit_%s_high_pass_frequence";
inline constexpr const char* kHighPassCombo = "combo_%s_high_pass_type";
inline constexpr const char* kLowPassBox = "checkbox_%s_low_pass_enable";
inline constexpr const char* kLowPassEdit = "edit_%s_low_pass_frequence";
inline constexpr const char* kLowPassCombo = "combo_%s_low_pass_type";

}  // namespace dsp::eq_names
