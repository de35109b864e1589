// What the user does on the equaliser graph: selecting a band, dragging a
// handle (sent at once), the wheel and keys, the graph losing the focus,
// and showing or hiding the handles.
#include "app/pages/eq_page.h"
#include "app/pages/eq_page_names.h"
#include "controls/eq_graph.h"
#include "platform/check_box.h"

namespace dsp {

using namespace eq_names;

void EqPage::OnGraphSelect(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* graph = dynamic_cast<const EqGraph*>(notification.sender);
  if (record == nullptr || graph == nullptr || graph->Model().SelectedBand() < 0) return;
  SelectedBand(*record) = graph->Model().SelectedBand();
  Refresh(ChannelOf(*record));
}

// A drag goes out at once, but not more often than every 30 ms: a change
// that comes sooner is stored and goes out with the next write, so the
// processor ends where the handle was let go.
void EqPage::OnGraphValue(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* graph = dynamic_cast<const EqGraph*>(notification.sender);
  if (record == nullptr || graph == nullptr) return;
  const bool at_once = !last_drag_sent_ms_ || notification.timestamp_ms - *last_drag_sent_ms_ >= kDragGapMs;
  if (at_once) last_drag_sent_ms_ = notification.timestamp_ms;
  const EqGraphModel& shown = graph->Model();
  const int channel = ChannelOf(*record);
  const auto band = static_cast<int>(notification.lparam);
  // The arrow keys on a filter's handle report (1, 0) or (1, 1), the wheel
  // on band 0 or 1 the same: the graph's selection tells them apart.
  const bool filter_keys = notification.wparam == EqGraphModel::kSecondValue && shown.SelectedBand() < 0;
  std::optional<int> filter;
  if (notification.lparam == EqGraphModel::kHighPassDragged || (filter_keys && band == kHighPass)) filter = kHighPass;
  if (notification.lparam == EqGraphModel::kLowPassDragged || (filter_keys && band == kLowPass)) filter = kLowPass;
  if (filter) {
    const GraphFilter& moved = *filter == kHighPass ? shown.HighPass() : shown.LowPass();
    record->SetFilterFrequence(side_, channel, *filter, moved.frequency);
    SendOrSchedule(WriteId::Filter(channel, *filter, record->Address()), at_once);
  } else if (band >= 0 && band < kEqBands) {
    const EqShapeBand& moved = shown.Band(band);
    record->SetEqualizerFrequence(side_, channel, band, moved.frequency);
    record->SetEqualizerGain(side_, channel, band, moved.gain);
    record->SetEqualizerQ(side_, channel, band, moved.q);
    SendOrSchedule(WriteId::EqBand(side_, channel, band, record->Address()), at_once);
  }
  Refresh(channel);
}

void EqPage::SendOrSchedule(WriteId id, bool at_once) {
  if (at_once) context_.SendWriteNow(id);
  else context_.ScheduleWrite(id);
}

void EqPage::OnGraphFocusLost(Notification& notification) {
  if (auto* graph = dynamic_cast<EqGraph*>(notification.sender)) graph->ClearBandSelection();
}

void EqPage::OnShowControl(Notification& notification) {
  const auto* box = dynamic_cast<const CheckBox*>(notification.sender);
  EqGraph* graph = Graph();
  if (context_.DeviceForEdit() == nullptr || box == nullptr || graph == nullptr) return;
  for (int band = 0; band < graph->Model().HandleCount(); ++band) graph->SetBandHidden(band, !box->Check());
}

}  // namespace dsp
