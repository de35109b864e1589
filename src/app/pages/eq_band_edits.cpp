// The equaliser page's band edits: typed and stepped values of the selected
// band, its type, the column and enable switches, Bypass All, paging the
// columns, copy, paste, reset and the import of a measured filter list.
#include <algorithm>

#include "app/control_names.h"
#include "app/file_texts.h"
#include "app/pages/channel_writes.h"
#include "app/pages/eq_page.h"
#include "app/pages/eq_page_names.h"
#include "app/pages/typed_number.h"
#include "persist/eq_filter_export.h"
#include "platform/check_box.h"
#include "platform/combo.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

using namespace eq_names;

constexpr int kClipboardSideShift = 16;
constexpr int kResetQ = 100;

int PositiveAttribute(const Control& control, std::string_view name, int fallback) {
  const auto text = control.CustomAttribute(name);
  const auto value = text ? TypedInteger(*text) : std::nullopt;
  return value && *value > 0 && *value <= kEqBands ? static_cast<int>(*value) : fallback;
}

}  // namespace

const EqPage::BandValue* EqPage::BandValueOf(const Control& edit) const {
  for (const BandValue& value : kBandValues) {
    if (edit.Name() == Name(value.edit)) return &value;
  }
  return nullptr;
}

// Text that still says what the box showed changes nothing: leaving the
// box must not cut a stored 12.34 dB to the 12.3 it shows.
void EqPage::OnBandCommit(Notification& notification) {
  DeviceRecord* record = RecordFor(notification);
  const BandValue* value = BandValueOf(*notification.sender);
  if (record == nullptr || value == nullptr) return;
  const int channel = ChannelOf(*record);
  const int band = SelectedBand(*record);
  const std::string text = notification.sender->Text();
  const int stored = (record->*value->get)(side_, channel, band);
  std::optional<int> typed;
  if (value->hundredths) {
    if (const auto decimal = TypedDecimal(text)) typed = HundredthsWithin(*decimal, value->min, value->max);
  } else if (const auto integer = TypedInteger(text)) {
    typed = static_cast<int>(std::clamp<long long>(*integer, value->min, value->max));
  }
  if (typed && *typed != stored && text != ValueText(*value, stored)) {
    (record->*value->set)(side_, channel, band, *typed);
    ScheduleBand(*record, band);
  }
  Refresh(channel);
  if (notification.type == notify::kReturn) context_.Host().SetFocus();
}

void EqPage::OnBandStep(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const BandValue* value = BandValueOf(*notification.sender);
  if (record == nullptr || value == nullptr) return;
  if (!band_steps_[static_cast<std::size_t>(value - kBandValues.data())].Accept(notification)) return;
  const int channel = ChannelOf(*record);
  const int band = SelectedBand(*record);
  const int stepped = (record->*value->get)(side_, channel, band) + value->step * StepDirection(notification);
  (record->*value->set)(side_, channel, band, std::clamp(stepped, value->min, value->max));
  ScheduleBand(*record, band);
  Refresh(channel);
}

void EqPage::OnType(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* combo = dynamic_cast<const Combo*>(notification.sender);
  if (record == nullptr || combo == nullptr) return;
  const int item = combo->CurSel();
  if (item < 0 || item >= static_cast<int>(std::size(kTypeCodes))) return;
  const int band = SelectedBand(*record);
  record->SetEqualizerType(side_, ChannelOf(*record), band, kTypeCodes[item]);
  ScheduleBand(*record, band);
  Refresh(ChannelOf(*record));
}

void EqPage::OnColumn(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* box = dynamic_cast<const CheckBox*>(notification.sender);
  const auto column = TrailingIndex(notification.sender->Name());
  if (record == nullptr || box == nullptr || !column) return;
  const int band = FirstShownBand(*record) + *column;
  if (band < kEqBands) SwitchBand(*record, band, box->Check());
}

void EqPage::OnEnable(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* box = dynamic_cast<const CheckBox*>(notification.sender);
  if (record != nullptr && box != nullptr) SwitchBand(*record, SelectedBand(*record), box->Check());
}

// Switching bands changes the overview's equaliser switch too.
void EqPage::SwitchBand(DeviceRecord& record, int band, bool on) {
  record.SetEqualizerEnable(side_, ChannelOf(record), band, on);
  ScheduleBand(record, band);
  context_.RefreshAll();
}

void EqPage::OnBypass(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* box = dynamic_cast<const CheckBox*>(notification.sender);
  if (record == nullptr || box == nullptr) return;
  SetChannelSwitch(context_, *record, kEqualizerSwitch, side_, ChannelOf(*record), !box->Check());
  context_.RefreshAll();
}

// The arrows move the first column by the button's "step" up to its "max"
// bands: with 11 and 31 the columns start at band 0, 11 or 20.
void EqPage::OnPage(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  if (record == nullptr) return;
  const Control& button = *notification.sender;
  const int step = PositiveAttribute(button, "step", kDefaultPageStep);
  const int max = PositiveAttribute(button, "max", kDefaultPageMax);
  int& first = FirstShownBand(*record);
  if (button.Name() == Name(kLeftButton)) {
    if (first > 0) first = first - step < 0 ? 0 : (first - 1) - (first - 1) % step;
  } else if (first < max - step) {
    first = std::min(first + step, max - step);
  }
  Refresh(ChannelOf(*record));
}

// Copy remembers where from; paste takes the bands as they are then.
void EqPage::OnCopy(Notification&) {
  DeviceRecord* record = context_.DeviceForEdit();
  if (record == nullptr) return;
  context_.View(record->Address()).eq_clipboard = (side_ << kClipboardSideShift) + ChannelOf(*record);
}

// The bands only: the filters stay the channel's own.
void EqPage::OnPaste(Notification&) {
  DeviceRecord* record = context_.DeviceForEdit();
  if (record == nullptr) return;
  const int clipboard = context_.View(record->Address()).eq_clipboard;
  if (clipboard < 0) return;
  const int from_side = clipboard >> kClipboardSideShift;
  const int from = clipboard & ((1 << kClipboardSideShift) - 1);
  const int channel = ChannelOf(*record);
  for (int band = 0; band < record->EqBandCount(side_); ++band) {
    record->SetEqualizerEnable(side_, channel, band, record->EqualizerEnable(from_side, from, band));
    record->SetEqualizerFrequence(side_, channel, band, record->EqualizerFrequence(from_side, from, band));
    record->SetEqualizerGain(side_, channel, band, record->EqualizerGain(from_side, from, band));
    record->SetEqualizerQ(side_, channel, band, record->EqualizerQ(from_side, from, band));
    record->SetEqualizerType(side_, channel, band, record->EqualizerType(from_side, from, band));
    ScheduleBand(*record, band);
  }
  context_.RefreshAll();
}

// Every band off and flat at its configured frequency; the filters stay.
void EqPage::OnReset(Notification&) {
  DeviceRecord* record = context_.DeviceForEdit();
  if (record == nullptr) return;
  const int channel = ChannelOf(*record);
  for (int band = 0; band < record->EqBandCount(side_); ++band) {
    record->SetEqualizerEnable(side_, channel, band, false);
    record->SetEqualizerFrequence(side_, channel, band, context_.Config().ResetFrequency(side_, channel, band));
    record->SetEqualizerGain(side_, channel, band, 0);
    record->SetEqualizerQ(side_, channel, band, kResetQ);
    record->SetEqualizerType(side_, channel, band, kTypeCodes[0]);
    ScheduleBand(*record, band);
  }
  context_.RefreshAll();
}

// A room-measurement program's filter list fills the channel's first bands
// and switches the others off; a list the parser refuses changes nothing
// and is named with its line.
void EqPage::OnImport(Notification&) {
  DeviceRecord* record = context_.DeviceForEdit();
  if (record == nullptr) return;
  const FileDialogRequest request{"", {{Pick(context_.InterfaceLanguage(), text::kFilterLists), "*.txt"}}, "./"};
  const auto chosen = Toolkit::Dialogs().OpenFileName(&context_.Host(), request);
  if (!chosen) return;
  std::vector<ImportedBand> bands;
  std::optional<EqImportError> refusal;
  if (const FileResult read = ReadEqFilterExport(*chosen, record->EqBandCount(side_), bands, &refusal); !read.Ok()) {
    context_.Say(EqImportProblemText(context_.InterfaceLanguage(), read, refusal, *chosen));
    return;
  }
  const int channel = ChannelOf(*record);
  ApplyImportedBands(*record, side_, channel, bands);
  for (int band = 0; band < record->EqBandCount(side_); ++band) ScheduleBand(*record, band);
  context_.RefreshAll();
}

}  // namespace dsp
