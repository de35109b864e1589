#include "app/pages/page_list.h"

#include "app/control_names.h"
#include "app/pages/channel_page.h"
#include "app/pages/delay_page.h"
#include "app/pages/dynamics_page.h"
#include "app/pages/eq_page.h"
#include "app/pages/level_page.h"
#include "app/pages/matrix_page.h"
#include "model/device_record.h"

namespace dsp {
namespace {

template <class P, int kSide>
std::unique_ptr<Page> MakeSided(WindowContext& context) {
  return std::make_unique<P>(context, kSide);
}

template <class P>
std::unique_ptr<Page> Make(WindowContext& context) {
  return std::make_unique<P>(context);
}

constexpr int kNoSide = -1;
using enum PageArgument;

std::vector<PageInfo> BuildPageList() {
  return {
      {"input", kInputSide, kChannel, "label_window_input_title", &text::kInputTitle, false,
       MakeSided<ChannelPage, kInputSide>},
      {"noise_gate", kInputSide, kChannel, "label_window_noise_gate_title", &text::kNoiseGateTitle, true,
       MakeNoiseGatePage},
      {"input_eq", kInputSide, kChannel, "label_window_input_eq_title", &text::kInputEqTitle, false,
       MakeSided<EqPage, kInputSide>},
      {"input_delay", kInputSide, kSide, "label_window_input_delay_title", nullptr, false,
       MakeSided<DelayPage, kInputSide>},
      {"matrix_mix", kNoSide, kNone, "label_window_matrix_mix_title", nullptr, false, Make<MatrixPage>},
      {"output_eq", kOutputSide, kChannel, "label_window_output_eq_title", &text::kOutputEqTitle, false,
       MakeSided<EqPage, kOutputSide>},
      {"output_delay", kOutputSide, kSide, "label_window_output_delay_title", nullptr, false,
       MakeSided<DelayPage, kOutputSide>},
      {"comp", kOutputSide, kChannel, "label_window_comp_title", &text::kCompressorTitle, true, MakeCompressorPage},
      {"limit", kOutputSide, kChannel, "label_window_linit_title", &text::kLimiterTitle, true, MakeLimiterPage},
      {"output", kOutputSide, kChannel, "label_window_output_title", &text::kOutputTitle, false,
       MakeSided<ChannelPage, kOutputSide>},
      {"energy", kNoSide, kNone, "label_window_energy_title", &text::kEnergyTitle, false, Make<LevelPage>},
  };
}

PageEntry Entry(const std::string& stem, const std::string& window) {
  const std::string base = "image/" + stem;
  return {base + ".png",          base + "_hot.png",          base + "_pushed.png", base + "_selected.png",
          base + "_selected_hot.png", base + "_selected_pushed.png", window};
}

std::map<std::string, PageEntry> BuildPageTable() {
  std::map<std::string, PageEntry> table;
  table.emplace(kHomeButton, Entry("home", ""));
  for (const PageInfo& page : PageList()) table.emplace(page.Button(), Entry(page.stem, page.Window()));
  return table;
}

std::map<std::string, std::string> BuildCloseButtonTable() {
  std::map<std::string, std::string> table;
  for (const PageInfo& page : PageList()) table.emplace(page.CloseButton(), page.Button());
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
      table.emplace(Channel(family.family, channel), BlockTarget{family.page_button, argument, family.side, channel});
    }
  }
  table.emplace("button_matrix_mix_in_home", BlockTarget{"button_matrix_mix", 0, -1, 0});
  return table;
}

}  // namespace

const std::vector<PageInfo>& PageList() {
  static const std::vector<PageInfo> list = BuildPageList();
  return list;
}

const PageInfo* FindPage(const std::string& window) {
  for (const PageInfo& page : PageList()) {
    if (page.Window() == window) return &page;
  }
  return nullptr;
}

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
