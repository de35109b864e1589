#include "app/page_table.h"

#include "model/device_record.h"

namespace dsp {
namespace {

PageEntry Entry(const std::string& stem, const std::string& window) {
  const std::string base = "image/" + stem;
  return {base + ".png",          base + "_hot.png",          base + "_pushed.png", base + "_selected.png",
          base + "_selected_hot.png", base + "_selected_pushed.png", window};
}

std::map<std::string, PageEntry> BuildPageTable() {
  std::map<std::string, PageEntry> table;
  table.emplace(kHomeButton, Entry("home", ""));
  for (const char* page : {"input", "noise_gate", "input_eq", "input_delay", "matrix_mix", "output_eq",
                           "output_delay", "comp", "limit", "output", "energy"}) {
    table.emplace(std::string("button_") + page, Entry(page, std::string("window_") + page));
  }
  return table;
}

std::map<std::string, std::string> BuildCloseButtonTable() {
  std::map<std::string, std::string> table;
  for (const char* page : {"comp", "input", "input_delay", "input_eq", "limit", "matrix_mix", "noise_gate", "output",
                           "output_delay", "output_eq", "energy"}) {
    table.emplace(std::string("button_close_") + page, std::string("button_") + page);
  }
  return table;
}

struct BlockFamily {
  const char* family;
  const char* page_button;
  int side;
  bool argument_is_side;  // the delay pages refresh a whole side
};

const BlockFamily kBlockFamilies[] = {
    {"button_comp", "button_comp", kOutputSide, false},
    {"button_comp_start_gate", "button_comp", kOutputSide, false},
    {"button_limit", "button_limit", kOutputSide, false},
    {"button_limit_start_gate", "button_limit", kOutputSide, false},
    {"liner_limit", "button_limit", kOutputSide, false},
    {"button_noise_gate", "button_noise_gate", kInputSide, false},
    {"button_noise_gate_start_gate", "button_noise_gate", kInputSide, false},
    {"liner_noise_gate", "button_noise_gate", kInputSide, false},
    {"button_input_eq", "button_input_eq", kInputSide, false},
    {"button_output_eq", "button_output_eq", kOutputSide, false},
    {"button_input_delay", "button_input_delay", kInputSide, true},
    {"button_input_delay_value", "button_input_delay", kInputSide, true},
    {"button_output_delay", "button_output_delay", kOutputSide, true},
    {"button_output_delay_value", "button_output_delay", kOutputSide, true},
};

std::map<std::string, BlockTarget> BuildOverviewBlockTable() {
  std::map<std::string, BlockTarget> table;
  for (const BlockFamily& family : kBlockFamilies) {
    for (int channel = 0; channel < kChannelsPerSide; ++channel) {
      const int argument = family.argument_is_side ? family.side : channel;
      table.emplace(std::string(family.family) + "_" + std::to_string(channel),
                    BlockTarget{family.page_button, argument, family.side, channel});
    }
  }
  table.emplace("button_matrix_mix_in_home", BlockTarget{"button_matrix_mix", 0, -1, 0});
  return table;
}

}  // namespace

const std::map<std::string, PageEntry>& PageTable() {
  static const std::map<std::string, PageEntry> table = BuildPageTable();
  return table;
}

const std::map<std::string, std::string>& CloseButtonTable() {
  static const std::map<std::string, std::string> table = BuildCloseButtonTable();
  return table;
}

const std::map<std::string, BlockTarget>& OverviewBlockTable() {
  static const std::map<std::string, BlockTarget> table = BuildOverviewBlockTable();
  return table;
}

}  // namespace dsp
