#include "app/label_table.h"

#include <initializer_list>
#include <utility>

namespace dsp {
namespace {

struct Row {
  std::initializer_list<const char*> controls;
  const char* chinese;
  const char* english;
};

const Row kRows[] = {
    {{"button_file"}, "文件", "Файл"},
    {{"button_option"}, "选项", "Пресеты"},
    {{"button_debug"}, "调试", "Debug"},
    {{"label_device_list"}, "设备列表", "Устройства"},
    {{"button_scan"}, "扫描", "    "},
    {{"button_set"}, "设置", "   "},
    {{"treenode_device"}, "设备", "Device"},
    {{"label_input_polarity", "label_output_polarity"}, "极性", "Polarity"},
    {{"label_input_muted", "label_output_muted"}, "静音", "Mute"},
    {{"label_pink_noise"}, "粉红噪声", "Pink Noise"},
    {{"button_pink_noise_play"}, "播放", "Play"},
    {{"button_pink_noise_stop"}, "停止", "Stop"},
    {{"label_noise_gate_start_time", "label_compresor_start_time"}, "启控时间", "Attack"},
    {{"label_noise_gate_release_time", "label_compresor_release_time", "label_limit_release_time"},
     "释放时间",
     "Release "},
    {{"label_noise_gate_start_gate", "label_compresor_start_gate", "label_limit_start_gate"}, "启控电平", "Threshold"},
    {{"label_noise_gate_release_gate"}, "释放电平", "Release Gate"},
    {{"label_compresor_ratio"}, "压缩比", "Ratio"},
    {{"checkbox_input_eq_show_control", "checkbox_output_eq_show_control"}, "显示控点", "Show Control Point"},
    {{"checkbox_input_eq_bypass", "checkbox_output_eq_bypass"}, "全旁通", "Bypass All"},
    {{"button_input_eq_copy", "button_output_eq_copy"}, "复制", "Copy"},
    {{"button_input_eq_paste", "button_output_eq_paste"}, "粘贴", "Paste"},
    {{"button_input_eq_reset", "button_output_eq_reset", "button_router_reset"}, "重置", "Reset"},
    {{"button_router_clear"}, "清除", "Clear"},
    {{"label_input_high_pass", "label_output_high_pass"}, "高通", "High Pass"},
    {{"label_input_low_pass", "label_output_low_pass"}, "低通", "Low Pass"},
    {{"label_input_high_pass_freq", "label_input_eq_frequence", "label_output_high_pass_freq",
      "label_output_low_pass_freq"},
     "频率(Hz)",
     "Freq(Hz)"},
    {{"label_input_low_pass_freq", "label_output_eq_frequence"}, "频率(Hz)", "Frequence(Hz)"},
    {{"label_input_high_pass_t", "label_input_low_pass_t", "label_input_eq_type", "label_output_high_pass_t",
      "label_output_low_pass_t", "label_output_eq_type"},
     "类型",
     "Type"},
    {{"label_input_eq_q", "label_output_eq_q"}, "Q值", "Q"},
    {{"label_input_eq_gain", "label_output_eq_gain"}, "增益(dB)", "Gain(dB)"},
    {{"label_window_input_delay_title"}, "输入延时", "Input Delay"},
    {{"label_window_output_delay_title"}, "输出延时", "Output Delay"},
    {{"label_window_matrix_mix_title"}, "矩阵混音", "Mixing Matrix"},
};

std::map<std::string, LabelTexts> BuildLabelTable() {
  std::map<std::string, LabelTexts> table;
  for (const Row& row : kRows) {
    for (const char* control : row.controls) table.emplace(control, LabelTexts{row.chinese, row.english});
  }
  return table;
}

}  // namespace

const std::map<std::string, LabelTexts>& LabelTable() {
  static const std::map<std::string, LabelTexts> table = BuildLabelTable();
  return table;
}

std::optional<std::string> LabelText(const std::string& control, int language) {
  auto found = LabelTable().find(control);
  if (found == LabelTable().end() || language < 0 || language >= static_cast<int>(found->second.size())) {
    return std::nullopt;
  }
  return found->second[static_cast<std::size_t>(language)];
}

std::string SyncIndicatorText(int language) { return language == 0 ? "点击同步参数" : "click to syn"; }

}  // namespace dsp
