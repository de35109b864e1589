#include "app/pages/eq_page.h"

#include <algorithm>
#include <cstdio>

#include "app/control_names.h"
#include "app/pages/eq_filter_items.h"
#include "app/pages/eq_page_names.h"
#include "controls/eq_graph.h"
#include "platform/combo.h"

namespace dsp {
namespace {

std::string Format(const char* format, auto... values) {
  char text[48];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

// A frequency short enough for a handle: "125", "1.2k", "20k".
std::string ShortHz(int hz) {
  if (hz < 1000) return std::to_string(hz);
  std::string text = Format("%.1f", hz / 1000.0);
  if (text.ends_with(".0")) text.resize(text.size() - 2);
  return text + "k";
}

}  // namespace

using namespace eq_names;

const std::array<EqPage::BandValue, 3> EqPage::kBandValues = {{
    {kFrequencyEdit, &DeviceRecord::EqualizerFrequence, &DeviceRecord::SetEqualizerFrequence, 20, 20000, 1, false},
    {kGainEdit, &DeviceRecord::EqualizerGain, &DeviceRecord::SetEqualizerGain, -1200, 1200, 10, true},
    {kQEdit, &DeviceRecord::EqualizerQ, &DeviceRecord::SetEqualizerQ, 50, 12800, 10, true},
}};

EqPage::EqPage(WindowContext& context, int side) : Page(context), side_(side) {}

std::string EqPage::Name(const char* pattern) const { return SidedName(pattern, side_); }

std::string EqPage::Column(const char* pattern, int column) const { return Channel(Name(pattern), column); }

EqGraph* EqPage::Graph() const { return Find<EqGraph>(Name(kGraph)); }

int EqPage::ChannelOf(const DeviceRecord& record) const { return context_.View(record.Address()).channel[side_]; }

int& EqPage::SelectedBand(const DeviceRecord& record) const {
  return context_.View(record.Address()).selected_band[side_][ChannelOf(record)];
}

int& EqPage::FirstShownBand(const DeviceRecord& record) const {
  return context_.View(record.Address()).first_shown_band[side_][ChannelOf(record)];
}

void EqPage::ScheduleBand(const DeviceRecord& record, int band) const {
  context_.ScheduleWrite(WriteId::EqBand(side_, ChannelOf(record), band, record.Address()));
}

void EqPage::Register(NotifyRegistry& registry) {
  for (const BandValue& value : kBandValues) {
    for (auto type : {notify::kKillFocus, notify::kReturn})
      registry.On(type, Name(value.edit), this, &EqPage::OnBandCommit);
    for (auto type : {notify::kDirection, notify::kScroll})
      registry.On(type, Name(value.edit), this, &EqPage::OnBandStep);
  }
  for (const char* edit : {kHighPassEdit, kLowPassEdit}) {
    for (auto type : {notify::kKillFocus, notify::kReturn})
      registry.On(type, Name(edit), this, &EqPage::OnFilterCommit);
    for (auto type : {notify::kDirection, notify::kScroll}) registry.On(type, Name(edit), this, &EqPage::OnFilterStep);
  }
  for (int column = 0; column < kColumns; ++column) {
    registry.On(notify::kSelectChanged, Column(kColumnBox, column), this, &EqPage::OnColumn);
  }
  registry.On(notify::kSelectChanged, Name(kEnableBox), this, &EqPage::OnEnable);
  registry.On(notify::kSelectChanged, Name(kBypassBox), this, &EqPage::OnBypass);
  registry.On(notify::kSelectChanged, Name(kShowControlBox), this, &EqPage::OnShowControl);
  registry.On(notify::kSelectChanged, Name(kHighPassBox), this, &EqPage::OnFilterSwitch);
  registry.On(notify::kSelectChanged, Name(kLowPassBox), this, &EqPage::OnFilterSwitch);
  registry.On(notify::kItemSelect, Name(kTypeCombo), this, &EqPage::OnType);
  registry.On(notify::kItemSelect, Name(kHighPassCombo), this, &EqPage::OnFilterType);
  registry.On(notify::kItemSelect, Name(kLowPassCombo), this, &EqPage::OnFilterType);
  for (const char* button : {kLeftButton, kRightButton})
    registry.On(notify::kClick, Name(button), this, &EqPage::OnPage);
  registry.On(notify::kClick, Name(kCopyButton), this, &EqPage::OnCopy);
  registry.On(notify::kClick, Name(kPasteButton), this, &EqPage::OnPaste);
  registry.On(notify::kClick, Name(kResetButton), this, &EqPage::OnReset);
  registry.On(notify::kClick, Name(kImportButton), this, &EqPage::OnImport);
  registry.On(notify::kSelectChanged, Name(kGraph), this, &EqPage::OnGraphSelect);
  registry.On(notify::kValueChanged, Name(kGraph), this, &EqPage::OnGraphValue);
  registry.On(notify::kKillFocus, Name(kGraph), this, &EqPage::OnGraphFocusLost);
}

void EqPage::Refresh(int channel) {
  const DeviceRecord* record = context_.SelectedDevice();
  if (record == nullptr) return;
  ShowGraph(*record, channel);
  ShowColumns(*record, channel);
  ShowSelectedBand(*record, channel);
  ShowFilters(*record, channel);
}

// The handles of the bands in the columns show their frequency (short:
// "20k") and gain (under an empty first line, where the handle has its
// mark); the others their numbers, so no handle keeps values from before.
void EqPage::ShowGraph(const DeviceRecord& record, int channel) const {
  EqGraph* graph = Graph();
  if (graph == nullptr) return;
  const int first = context_.View(record.Address()).first_shown_band[side_][channel];
  const int shown_end = std::min(first + kColumns, record.EqBandCount(side_));
  for (int band = 0; band < kEqBands; ++band) {
    const int hz = record.EqualizerFrequence(side_, channel, band);
    const int gain = record.EqualizerGain(side_, channel, band);
    graph->SetBand(band, hz, gain, record.EqualizerQ(side_, channel, band), record.EqualizerType(side_, channel, band),
                   record.EqualizerEnable(side_, channel, band));
    const bool in_columns = band >= first && band < shown_end;
    graph->SetBandLabel(band, in_columns ? "\n" + ShortHz(hz) + Format("\n%.1f", gain / 100.0) : NumberLabel(band));
  }
  graph->SetFiltersShown(side_ != kInputSide);
  graph->SetHighPass(record.FilterFrequence(side_, channel, kHighPass), record.FilterEnable(side_, channel, kHighPass));
  graph->SetLowPass(record.FilterFrequence(side_, channel, kLowPass), record.FilterEnable(side_, channel, kLowPass));
}

void EqPage::ShowColumns(const DeviceRecord& record, int channel) const {
  const int first = context_.View(record.Address()).first_shown_band[side_][channel];
  for (int column = 0; column < kColumns; ++column) {
    SetCheck(Column(kColumnBox, column), record.EqualizerEnable(side_, channel, first + column));
    SetText(Column(kColumnCaption, column), std::to_string(first + column + 1));
  }
  bool any_on = false;
  for (int band = 0; band < record.EqBandCount(side_); ++band) any_on |= record.EqualizerEnable(side_, channel, band);
  SetCheck(Name(kBypassBox), !any_on);
}

void EqPage::ShowSelectedBand(const DeviceRecord& record, int channel) const {
  const int band = context_.View(record.Address()).selected_band[side_][channel];
  const bool on = record.EqualizerEnable(side_, channel, band);
  SetText(Name(kSelectedHeading), "EQ " + std::to_string(band + 1));
  SetCheck(Name(kEnableBox), on);
  SetText(Name(kEnableBox), Pick(context_.InterfaceLanguage(), on ? text::kBandOn : text::kBandOff));
  if (auto* combo = Find<Combo>(Name(kTypeCombo))) {
    const int* item = std::find(std::begin(kTypeCodes), std::end(kTypeCodes), record.EqualizerType(side_, channel, band));
    combo->SelectItem(item == std::end(kTypeCodes) ? -1 : static_cast<int>(item - std::begin(kTypeCodes)));
  }
  for (const BandValue& value : kBandValues) {
    SetText(Name(value.edit), ValueText(value, (record.*value.get)(side_, channel, band)));
  }
}

// No frame carries an input's filters: their values stay in the record and
// the parameter files, and their controls say they reach nothing.
void EqPage::ShowFilters(const DeviceRecord& record, int channel) const {
  const struct {
    const char* box;
    const char* edit;
    const char* combo;
  } filters[kFilters] = {{kHighPassBox, kHighPassEdit, kHighPassCombo}, {kLowPassBox, kLowPassEdit, kLowPassCombo}};
  for (int filter = 0; filter < kFilters; ++filter) {
    SetCheck(Name(filters[filter].box), record.FilterEnable(side_, channel, filter));
    SetText(Name(filters[filter].edit), std::to_string(record.FilterFrequence(side_, channel, filter)));
    if (auto* combo = Find<Combo>(Name(filters[filter].combo))) {
      const FilterShapeCodes codes{record.FilterType(side_, channel, filter), record.FilterSlope(side_, channel, filter)};
      combo->SelectItem(FilterItemOf(codes).value_or(-1));
    }
    if (side_ != kInputSide) continue;
    for (const char* control : {filters[filter].box, filters[filter].edit, filters[filter].combo}) {
      ShowNotTaken(Name(control));
    }
  }
}

std::string EqPage::ValueText(const BandValue& value, int stored) {
  return value.hundredths ? Format("%.1f", stored / 100.0) : std::to_string(stored);
}

}  // namespace dsp
