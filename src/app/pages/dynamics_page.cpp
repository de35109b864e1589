#include "app/pages/dynamics_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/control_names.h"
#include "app/pages/typed_number.h"
#include "controls/liner_control.h"
#include "platform/check_box.h"
#include "platform/slider.h"

namespace dsp {
namespace {

std::string EditName(const DynamicsParameter& parameter) { return "edit_" + parameter.name; }
std::string SliderName(const DynamicsParameter& parameter) { return "slider_" + parameter.name; }

int Stored(const DeviceRecord& record, int channel, const DynamicsParameter& parameter) {
  return (record.*parameter.get)(channel);
}

// The sign of the shown value: the compressor's threshold is held as a
// depth below full scale and shown as the level it is, as on the overview.
int ShownSign(const DynamicsKind& kind, const DynamicsParameter& parameter) {
  return &parameter == &kind.parameters[kind.threshold] ? kind.level_sign : 1;
}

// A typed value in the record's units: tenths are rounded (12.3 x 10 is
// 122.99... in binary), whole numbers are cut. A threshold held as a depth
// is never above full scale, so "-12.5" and "12.5" are both 12.5 dB down.
std::optional<int> TypedValue(const DynamicsParameter& parameter, bool depth, const std::string& text,
                              std::pair<int, int> range) {
  const auto [min, max] = range;
  if (parameter.tenths != 1) {
    auto typed = TypedDecimal(text);
    if (!typed) return std::nullopt;
    if (depth) typed = std::fabs(*typed);
    const double value = std::clamp(*typed * parameter.tenths, static_cast<double>(min), static_cast<double>(max));
    return static_cast<int>(std::lround(value));
  }
  const auto typed = TypedInteger(text);
  if (!typed) return std::nullopt;
  return static_cast<int>(std::clamp<long long>(*typed, min, max));
}

}  // namespace

DynamicsPage::DynamicsPage(WindowContext& context, const DynamicsKind& kind) : Page(context), kind_(kind) {}

std::string DynamicsPage::ValueText(const DynamicsParameter& parameter, int stored) {
  char text[24];
  if (parameter.tenths != 1) std::snprintf(text, sizeof text, "%.1f", static_cast<double>(stored) / parameter.tenths);
  else std::snprintf(text, sizeof text, "%d", stored);
  return text;
}

void DynamicsPage::Register(NotifyRegistry& registry) {
  for (const DynamicsParameter& parameter : kind_.parameters) {
    const std::string edit = EditName(parameter);
    registry.On(notify::kKillFocus, edit, this, &DynamicsPage::OnCommit);
    registry.On(notify::kReturn, edit, this, &DynamicsPage::OnCommit);
    registry.On(notify::kDirection, edit, this, &DynamicsPage::OnStep);
    registry.On(notify::kScroll, edit, this, &DynamicsPage::OnStep);
    registry.On(notify::kValueChanged, SliderName(parameter), this, &DynamicsPage::OnSlider);
    steps_.emplace(edit, StepFilter());
  }
  registry.On(notify::kValueChanged, kind_.curve, this, &DynamicsPage::OnCurve);
  registry.On(notify::kSelectChanged, kind_.enable_box, this, &DynamicsPage::OnSwitch);
}

void DynamicsPage::Refresh(int channel) {
  const DeviceRecord* record = context_.SelectedDevice();
  if (record == nullptr) return;
  const bool on = kind_.which->is_on(*record, kind_.side, channel);
  SetCheck(kind_.enable_box, on);
  SetText(kind_.enable_box, Pick(context_.InterfaceLanguage(), on ? kind_.switch_on : kind_.switch_off));
  for (const DynamicsParameter& parameter : kind_.parameters) {
    const int stored = Stored(*record, channel, parameter);
    SetSliderValue(SliderName(parameter), stored);
    SetText(EditName(parameter), ValueText(parameter, ShownSign(kind_, parameter) * stored));
    if (!parameter.sent) {
      ShowNotTaken(SliderName(parameter));
      ShowNotTaken(EditName(parameter));
    }
  }
  if (auto* curve = Find<LinerControl>(kind_.curve)) ShowCurve(*curve, *record, channel, on);
  ShowOverview(*record);
}

void DynamicsPage::ShowCurve(LinerControl& curve, const DeviceRecord& record, int channel, bool editable) const {
  const int level = kind_.level_sign * Stored(record, channel, kind_.parameters[kind_.threshold]);
  if (!curve.SetValue(level, level)) curve.HideValue();
  if (kind_.ratio) {
    const auto shown = ShownRatio(record, channel);
    if (!shown || !curve.SetRatio(*shown)) curve.HideRatio();
  }
  curve.SetEnabled(editable);
}

std::optional<int> DynamicsPage::ShownRatio(const DeviceRecord& record, int channel) const {
  return RatioPercent(Stored(record, channel, kind_.parameters[*kind_.ratio]));
}

// A processor that is off passes its signal unchanged: its small curve is
// the unity line, and its block says OFF instead of the threshold.
void DynamicsPage::ShowOverview(const DeviceRecord& record) const {
  const DynamicsParameter& threshold = kind_.parameters[kind_.threshold];
  for (int ch = 0; ch < record.ChannelCount(kind_.side); ++ch) {
    const bool on = kind_.which->is_on(record, kind_.side, ch);
    const int level = kind_.level_sign * Stored(record, ch, threshold);
    SetText(Channel(kind_.overview_text, ch), on ? ValueText(threshold, level) + " dB" : "OFF");
    if (!kind_.overview_curve) continue;
    auto* curve = Find<LinerControl>(Channel(*kind_.overview_curve, ch));
    if (curve == nullptr) continue;
    if (!on) curve->ShowUnity();
    else if (!curve->SetValue(level, level)) curve->HideValue();
  }
}

DynamicsPage::Edit DynamicsPage::EditOf(const Notification& notification, DeviceRecord* record) const {
  if (record == nullptr) return {};
  const std::string& name = notification.sender->Name();
  for (const DynamicsParameter& parameter : kind_.parameters) {
    if (name == EditName(parameter) || name == SliderName(parameter)) {
      return {&parameter, context_.View(record->Address()).channel[kind_.side], record};
    }
  }
  return {};
}

std::pair<int, int> DynamicsPage::Range(const DynamicsParameter& parameter) const {
  return SliderRange(SliderName(parameter), parameter.fallback_range);
}

void DynamicsPage::Store(DeviceRecord& record, int channel, const DynamicsParameter& parameter, int value) {
  (record.*parameter.set)(channel, value);
  ScheduleChannelWrites(context_, record, kind_.which->write, kind_.side, channel);
}

// Text that still says what the box showed changes nothing, so leaving a
// box never moves a value the slider cannot hold into its range.
void DynamicsPage::OnCommit(Notification& notification) {
  const Edit edit = EditOf(notification, RecordFor(notification));
  if (edit.record == nullptr) return;
  const std::string text = notification.sender->Text();
  const int stored = Stored(*edit.record, edit.channel, *edit.parameter);
  const int sign = ShownSign(kind_, *edit.parameter);
  if (text != ValueText(*edit.parameter, sign * stored)) {
    const auto value = TypedValue(*edit.parameter, sign < 0, text, Range(*edit.parameter));
    if (value && *value != stored) Store(*edit.record, edit.channel, *edit.parameter, *value);
  }
  Refresh(edit.channel);
  if (notification.type == notify::kReturn) context_.Host().SetFocus();
}

void DynamicsPage::OnStep(Notification& notification) {
  const Edit edit = EditOf(notification, context_.DeviceForEdit());
  if (edit.record == nullptr || !steps_.at(notification.sender->Name()).Accept(notification)) return;
  const auto [min, max] = Range(*edit.parameter);
  // Up raises the value shown, which for a depth is one step less deep.
  const int step =
      SliderStep(SliderName(*edit.parameter), 1) * StepDirection(notification) * ShownSign(kind_, *edit.parameter);
  const int stored = Stored(*edit.record, edit.channel, *edit.parameter);
  Store(*edit.record, edit.channel, *edit.parameter, std::clamp(stored + step, min, max));
  Refresh(edit.channel);
}

void DynamicsPage::OnSlider(Notification& notification) {
  const Edit edit = EditOf(notification, context_.DeviceForEdit());
  const auto* slider = dynamic_cast<const Slider*>(notification.sender);
  if (edit.record == nullptr || slider == nullptr) return;
  if (slider->Value() != Stored(*edit.record, edit.channel, *edit.parameter)) {
    Store(*edit.record, edit.channel, *edit.parameter, slider->Value());
  }
  Refresh(edit.channel);
}

// Only what the user moved is taken from the curve: a ratio the curve
// could not show stays as it is while the threshold is dragged.
void DynamicsPage::OnCurve(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* curve = dynamic_cast<const LinerControl*>(notification.sender);
  if (record == nullptr || curve == nullptr) return;
  const int channel = context_.View(record->Address()).channel[kind_.side];
  const DynamicsParameter& threshold = kind_.parameters[kind_.threshold];
  const CurvePoint point = curve->Value();
  const int moved = kind_.level_sign * (kind_.threshold_from_y ? point.y : point.x);
  if (moved != Stored(*record, channel, threshold)) Store(*record, channel, threshold, moved);
  if (kind_.ratio && curve->RatioShown() && curve->Ratio() != ShownRatio(*record, channel)) {
    if (const auto ratio = RatioOfPercent(curve->Ratio())) {
      Store(*record, channel, kind_.parameters[*kind_.ratio], *ratio);
    }
  }
  Refresh(channel);
}

void DynamicsPage::OnSwitch(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* box = dynamic_cast<const CheckBox*>(notification.sender);
  if (record == nullptr || box == nullptr) return;
  const int channel = context_.View(record->Address()).channel[kind_.side];
  SetChannelSwitch(context_, *record, *kind_.which, kind_.side, channel, box->Check());
  context_.RefreshAll();
}

std::unique_ptr<Page> MakeNoiseGatePage(WindowContext& context) {
  return std::make_unique<DynamicsPage>(context, NoiseGateKind());
}

std::unique_ptr<Page> MakeCompressorPage(WindowContext& context) {
  return std::make_unique<DynamicsPage>(context, CompressorKind());
}

std::unique_ptr<Page> MakeLimiterPage(WindowContext& context) {
  return std::make_unique<DynamicsPage>(context, LimiterKind());
}

}  // namespace dsp
