#include "skin_preview/preview_language.h"

#include <QWidget>
#include <array>
#include <string_view>

#include "platform/combo.h"
#include "platform/control.h"
#include "platform/window.h"

namespace dsp {
namespace {

struct Caption {
  std::string_view control;
  std::string_view chinese;
  std::string_view english;
};

// The captions the program writes over the skin's texts at start-up.
constexpr std::array kProgramCaptions = {
    Caption{"button_file", "文件", "Файл"},
    Caption{"button_option", "选项", "Пресеты"},
    Caption{"button_debug", "调试", "Debug"},
    Caption{"label_device_list", "设备列表", "Устройства"},
    Caption{"button_scan", "扫描", "    "},
    Caption{"button_set", "设置", "   "},
    Caption{"treenode_device", "设备", "Device"},
    Caption{"label_input_polarity", "极性", "Polarity"},
    Caption{"label_output_polarity", "极性", "Polarity"},
    Caption{"label_input_muted", "静音", "Mute"},
    Caption{"label_output_muted", "静音", "Mute"},
    Caption{"label_pink_noise", "粉红噪声", "Pink Noise"},
    Caption{"button_pink_noise_play", "播放", "Play"},
    Caption{"button_pink_noise_stop", "停止", "Stop"},
    Caption{"label_noise_gate_start_time", "启控时间", "Attack"},
    Caption{"label_compresor_start_time", "启控时间", "Attack"},
    Caption{"label_noise_gate_release_time", "释放时间", "Release "},
    Caption{"label_compresor_release_time", "释放时间", "Release "},
    Caption{"label_limit_release_time", "释放时间", "Release "},
    Caption{"label_noise_gate_start_gate", "启控电平", "Threshold"},
    Caption{"label_compresor_start_gate", "启控电平", "Threshold"},
    Caption{"label_limit_start_gate", "启控电平", "Threshold"},
    Caption{"label_noise_gate_release_gate", "释放电平", "Release Gate"},
    Caption{"label_compresor_ratio", "压缩比", "Ratio"},
    Caption{"checkbox_input_eq_show_control", "显示控点", "Show Control Point"},
    Caption{"checkbox_output_eq_show_control", "显示控点", "Show Control Point"},
    Caption{"checkbox_input_eq_bypass", "全旁通", "Bypass All"},
    Caption{"checkbox_output_eq_bypass", "全旁通", "Bypass All"},
    Caption{"button_input_eq_copy", "复制", "Copy"},
    Caption{"button_output_eq_copy", "复制", "Copy"},
    Caption{"button_input_eq_paste", "粘贴", "Paste"},
    Caption{"button_output_eq_paste", "粘贴", "Paste"},
    Caption{"button_input_eq_reset", "重置", "Reset"},
    Caption{"button_output_eq_reset", "重置", "Reset"},
    Caption{"button_router_reset", "重置", "Reset"},
    Caption{"button_router_clear", "清除", "Clear"},
    Caption{"label_input_high_pass", "高通", "High Pass"},
    Caption{"label_output_high_pass", "高通", "High Pass"},
    Caption{"label_input_low_pass", "低通", "Low Pass"},
    Caption{"label_output_low_pass", "低通", "Low Pass"},
    Caption{"label_input_high_pass_freq", "频率(Hz)", "Freq(Hz)"},
    Caption{"label_input_eq_frequence", "频率(Hz)", "Freq(Hz)"},
    Caption{"label_output_high_pass_freq", "频率(Hz)", "Freq(Hz)"},
    Caption{"label_output_low_pass_freq", "频率(Hz)", "Freq(Hz)"},
    Caption{"label_input_low_pass_freq", "频率(Hz)", "Frequence(Hz)"},
    Caption{"label_output_eq_frequence", "频率(Hz)", "Frequence(Hz)"},
    Caption{"label_input_high_pass_t", "类型", "Type"},
    Caption{"label_input_low_pass_t", "类型", "Type"},
    Caption{"label_input_eq_type", "类型", "Type"},
    Caption{"label_output_high_pass_t", "类型", "Type"},
    Caption{"label_output_low_pass_t", "类型", "Type"},
    Caption{"label_output_eq_type", "类型", "Type"},
    Caption{"label_input_eq_q", "Q值", "Q"},
    Caption{"label_output_eq_q", "Q值", "Q"},
    Caption{"label_input_eq_gain", "增益(dB)", "Gain(dB)"},
    Caption{"label_output_eq_gain", "增益(dB)", "Gain(dB)"},
    Caption{"label_window_input_delay_title", "输入延时", "Input Delay"},
    Caption{"label_window_output_delay_title", "输出延时", "Output Delay"},
    Caption{"label_window_matrix_mix_title", "矩阵混音", "Mixing Matrix"},
};

void ApplyChineseAttributes(Control& control) {
  if (auto text = control.CustomAttribute("text_zh")) control.SetText(*text);
  if (auto tip = control.CustomAttribute("tooltip_zh")) control.SetToolTip(*tip);
  auto* combo = dynamic_cast<Combo*>(&control);
  auto items = control.CustomAttribute("items_zh");
  if (combo == nullptr || !items) return;
  int index = 0;
  std::size_t start = 0;
  while (start <= items->size() && index < combo->ItemCount()) {
    const std::size_t comma = items->find(',', start);
    combo->SetItemText(index++, items->substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

}  // namespace

void ApplyPreviewLanguage(Window& window, bool chinese) {
  for (const Caption& caption : kProgramCaptions) {
    if (Control* control = window.FindControl(caption.control)) {
      control->SetText(chinese ? caption.chinese : caption.english);
    }
  }
  if (!chinese || window.Root() == nullptr) return;
  ApplyChineseAttributes(*window.Root());
  // Control has no meta-object of its own, so the widgets are sorted by RTTI.
  for (QWidget* widget : window.Root()->findChildren<QWidget*>()) {
    if (auto* control = dynamic_cast<Control*>(widget)) ApplyChineseAttributes(*control);
  }
}

}  // namespace dsp
