// The equaliser page's high-pass and low-pass filters: switch, typed and
// stepped corner frequency, and type from the 20-item selector.
#include <algorithm>

#include "app/pages/eq_filter_items.h"
#include "app/pages/eq_page.h"
#include "app/pages/eq_page_names.h"
#include "app/pages/typed_number.h"
#include "platform/check_box.h"
#include "platform/combo.h"

namespace dsp {
namespace {

using namespace eq_names;

constexpr int kLowestHz = 20;
constexpr int kHighestHz = 20000;

}  // namespace

std::optional<int> EqPage::FilterOf(const Control& control, const char* high_pass, const char* low_pass) const {
  if (control.Name() == Name(high_pass)) return kHighPass;
  if (control.Name() == Name(low_pass)) return kLowPass;
  return std::nullopt;
}

// The processor has filters on its outputs only: the write names the
// channel and carries the output's filter of that number, whichever page
// the change came from.
void EqPage::ScheduleFilter(const DeviceRecord& record, int filter) const {
  context_.ScheduleWrite(WriteId::Filter(ChannelOf(record), filter, record.Address()));
}

void EqPage::OnFilterSwitch(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* box = dynamic_cast<const CheckBox*>(notification.sender);
  const auto filter = FilterOf(*notification.sender, kHighPassBox, kLowPassBox);
  if (record == nullptr || box == nullptr || !filter) return;
  record->SetFilterEnable(side_, ChannelOf(*record), *filter, box->Check());
  ScheduleFilter(*record, *filter);
  Refresh(ChannelOf(*record));
}

void EqPage::OnFilterCommit(Notification& notification) {
  DeviceRecord* record = RecordFor(notification);
  const auto filter = FilterOf(*notification.sender, kHighPassEdit, kLowPassEdit);
  if (record == nullptr || !filter) return;
  const int channel = ChannelOf(*record);
  const std::string text = notification.sender->Text();
  const int stored = record->FilterFrequence(side_, channel, *filter);
  if (const auto typed = TypedInteger(text); typed && text != std::to_string(stored)) {
    const int hz = static_cast<int>(std::clamp<long long>(*typed, kLowestHz, kHighestHz));
    if (hz != stored) {
      record->SetFilterFrequence(side_, channel, *filter, hz);
      ScheduleFilter(*record, *filter);
    }
  }
  Refresh(channel);
  if (notification.type == notify::kReturn) context_.Host().SetFocus();
}

void EqPage::OnFilterStep(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto filter = FilterOf(*notification.sender, kHighPassEdit, kLowPassEdit);
  if (record == nullptr || !filter || !filter_steps_[static_cast<std::size_t>(*filter)].Accept(notification)) return;
  const int channel = ChannelOf(*record);
  const int hz = record->FilterFrequence(side_, channel, *filter) + StepDirection(notification);
  record->SetFilterFrequence(side_, channel, *filter, std::clamp(hz, kLowestHz, kHighestHz));
  ScheduleFilter(*record, *filter);
  Refresh(channel);
}

void EqPage::OnFilterType(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* combo = dynamic_cast<const Combo*>(notification.sender);
  const auto filter = FilterOf(*notification.sender, kHighPassCombo, kLowPassCombo);
  if (record == nullptr || combo == nullptr || !filter) return;
  const auto codes = FilterItemCodes(combo->CurSel());
  if (!codes) return;
  const int channel = ChannelOf(*record);
  record->SetFilterType(side_, channel, *filter, codes->type);
  record->SetFilterSlope(side_, channel, *filter, codes->slope);
  ScheduleFilter(*record, *filter);
  Refresh(channel);
}

}  // namespace dsp
