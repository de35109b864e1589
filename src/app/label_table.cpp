#include "app/label_table.h"

#include <initializer_list>
#include <utility>

namespace dsp {
namespace {

struct Row {
  std::initializer_list<const char*> controls;
  BilingualText text;
};

const Row kRows[] = {
    {{"button_file"}, {"Файл", "文件"}},
    {{"button_option"}, {"Пресеты", "选项"}},
    {{"button_debug"}, {"Debug", "调试"}},
    {{"label_device_list"}, {"Устройства", "设备列表"}},
    {{"button_scan"}, {"    ", "扫描"}},
    {{"button_set"}, {"   ", "设置"}},
    {{"treenode_device"}, {"Device", "设备"}},
    {{"label_input_polarity", "label_output_polarity"}, {"Polarity", "极性"}},
    {{"label_input_muted", "label_output_muted"}, {"Mute", "静音"}},
    {{"label_pink_noise"}, {"Pink Noise", "粉红噪声"}},
    {{"button_pink_noise_play"}, {"Play", "播放"}},
    {{"button_pink_noise_stop"}, {"Stop", "停止"}},
    {{"label_noise_gate_start_time", "label_compresor_start_time"}, {"Attack", "启控时间"}},
    {{"label_noise_gate_release_time", "label_compresor_release_time", "label_limit_release_time"},
     {"Release ", "释放时间"}},
    {{"label_noise_gate_start_gate", "label_compresor_start_gate", "label_limit_start_gate"},
     {"Threshold", "启控电平"}},
    {{"label_noise_gate_release_gate"}, {"Release Gate", "释放电平"}},
    {{"label_compresor_ratio"}, {"Ratio", "压缩比"}},
    {{"checkbox_input_eq_show_control", "checkbox_output_eq_show_control"}, {"Show Control Point", "显示控点"}},
    {{"checkbox_input_eq_bypass", "checkbox_output_eq_bypass"}, {"Bypass All", "全旁通"}},
    {{"button_input_eq_copy", "button_output_eq_copy"}, {"Copy", "复制"}},
    {{"button_input_eq_paste", "button_output_eq_paste"}, {"Paste", "粘贴"}},
    {{"button_input_eq_reset", "button_output_eq_reset", "button_router_reset"}, {"Reset", "重置"}},
    {{"button_router_clear"}, {"Clear", "清除"}},
    {{"label_input_high_pass", "label_output_high_pass"}, {"High Pass", "高通"}},
    {{"label_input_low_pass", "label_output_low_pass"}, {"Low Pass", "低通"}},
    {{"label_input_high_pass_freq", "label_input_eq_frequence", "label_output_high_pass_freq",
      "label_output_low_pass_freq"},
     {"Freq(Hz)", "频率(Hz)"}},
    {{"label_input_low_pass_freq", "label_output_eq_frequence"}, {"Frequence(Hz)", "频率(Hz)"}},
    {{"label_input_high_pass_t", "label_input_low_pass_t", "label_input_eq_type", "label_output_high_pass_t",
      "label_output_low_pass_t", "label_output_eq_type"},
     {"Type", "类型"}},
    {{"label_input_eq_q", "label_output_eq_q"}, {"Q", "Q值"}},
    {{"label_input_eq_gain", "label_output_eq_gain"}, {"Gain(dB)", "增益(dB)"}},
    {{"label_window_input_delay_title"}, {"Input Delay", "输入延时"}},
    {{"label_window_output_delay_title"}, {"Output Delay", "输出延时"}},
    {{"label_window_matrix_mix_title"}, {"Mixing Matrix", "矩阵混音"}},
};

std::map<std::string, BilingualText> BuildLabelTable() {
  std::map<std::string, BilingualText> table;
  for (const Row& row : kRows) {
    for (const char* control : row.controls) table.emplace(control, row.text);
  }
  return table;
}

}  // namespace

const std::map<std::string, BilingualText>& LabelTable() {
  static const std::map<std::string, BilingualText> table = BuildLabelTable();
  return table;
}

std::optional<std::string> LabelText(const std::string& control, Language language) {
  auto found = LabelTable().find(control);
  if (found == LabelTable().end() || !HasTextSet(language)) return std::nullopt;
  return Pick(language, found->second);
}

// Unlike the other texts, it reads English in any language but Chinese.
std::string SyncIndicatorText(Language language) {
  constexpr BilingualText kSyncIndicator{"click to syn", "点击同步参数"};
  return Pick(language == Language::kChinese ? Language::kChinese : Language::kEnglish, kSyncIndicator);
}

}  // namespace dsp
