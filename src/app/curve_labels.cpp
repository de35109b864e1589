#include "app/curve_labels.h"

#include "controls/liner_control.h"
#include "platform/window.h"

namespace dsp {
namespace {

constexpr int kLanguages = 2;

std::map<std::string, std::array<std::string, 4>> BuildCurveLabelTable() {
  const std::array<std::string, 4> titles{"输出", "       ", "输入", "     "};
  return {{"liner_comp", titles}, {"liner_limit", titles}, {"liner_noise_gate", titles}};
}

}  // namespace

const std::map<std::string, std::array<std::string, 4>>& CurveLabelTable() {
  static const std::map<std::string, std::array<std::string, 4>> table = BuildCurveLabelTable();
  return table;
}

void ApplyCurveLabels(const Window& window, int language) {
  if (language < 0 || language >= kLanguages) return;
  for (const auto& [name, titles] : CurveLabelTable()) {
    auto* curve = window.Find<LinerControl>(name);
    if (curve == nullptr) continue;
    curve->SetYText(titles[static_cast<std::size_t>(language)]);
    curve->SetXText(titles[static_cast<std::size_t>(language) + kLanguages]);
  }
}

}  // namespace dsp
