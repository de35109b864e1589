#include "app/curve_labels.h"

#include "controls/liner_control.h"
#include "platform/window.h"

namespace dsp {
namespace {

constexpr const char* kCurves[] = {"liner_comp", "liner_limit", "liner_noise_gate"};
constexpr BilingualText kOutputTitle{"       ", "输出"};
constexpr BilingualText kInputTitle{"     ", "输入"};

}  // namespace

void ApplyCurveLabels(const Window& window, Language language) {
  if (!HasTextSet(language)) return;
  for (const char* name : kCurves) {
    auto* curve = window.Find<LinerControl>(name);
    if (curve == nullptr) continue;
    curve->SetYText(Pick(language, kOutputTitle));
    curve->SetXText(Pick(language, kInputTitle));
  }
}

}  // namespace dsp
