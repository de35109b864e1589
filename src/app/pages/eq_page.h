#pragma once

// The equaliser page of one side: the 31 bands of the current channel on
// the graph and in 11 band columns, the selected band's type, frequency,
// gain and Q, Bypass All, paging the columns, copy and paste (also across
// sides), reset to the configured frequencies, and the channel's high-pass
// and low-pass filters. Typed and stepped values go out 100 ms after the
// last change; what the user drags on the graph goes out at once.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/pages/page.h"
#include "platform/step_filter.h"

namespace dsp {

class EqGraph;

class EqPage : public Page {
 public:
  static constexpr int kColumns = 11;
  // Drags closer together than this are stored but sent with the next
  // write, not at once.
  static constexpr std::int64_t kDragGapMs = 30;
  // Paging without "step" and "max" on the arrow buttons.
  static constexpr int kDefaultPageStep = 11;
  static constexpr int kDefaultPageMax = 31;
  // The band types of the type selector's items: peak, low shelf, high shelf.
  static constexpr int kTypeCodes[] = {1, 6, 7};

  EqPage(WindowContext& context, int side);

  // What a band's handle shows while its band is not in the columns: its
  // number from 1.
  static std::string NumberLabel(int band) { return std::to_string(band + 1); }

  void Register(NotifyRegistry& registry) override;
  void Refresh(int channel) override;

 private:
  // A value of the selected band that an edit box shows and steps.
  struct BandValue {
    const char* edit;
    int (DeviceRecord::*get)(int side, int ch, int band) const;
    void (DeviceRecord::*set)(int side, int ch, int band, int value);
    int min;
    int max;
    int step;
    bool hundredths;  // typed and shown in units of 1/100 with one decimal
  };
  static const std::array<BandValue, 3> kBandValues;

  std::string Name(const char* pattern) const;
  std::string Column(const char* pattern, int column) const;
  EqGraph* Graph() const;
  int ChannelOf(const DeviceRecord& record) const;
  int& SelectedBand(const DeviceRecord& record) const;
  int& FirstShownBand(const DeviceRecord& record) const;
  // The write of one band of the channel this page shows, in 100 ms.
  void ScheduleBand(const DeviceRecord& record, int band) const;

  // eq_page.cpp: what the page shows.
  void ShowGraph(const DeviceRecord& record, int channel) const;
  void ShowColumns(const DeviceRecord& record, int channel) const;
  void ShowSelectedBand(const DeviceRecord& record, int channel) const;
  void ShowFilters(const DeviceRecord& record, int channel) const;
  static std::string ValueText(const BandValue& value, int stored);

  // eq_band_edits.cpp
  void OnBandCommit(Notification& notification);
  void OnBandStep(Notification& notification);
  void OnType(Notification& notification);
  void OnColumn(Notification& notification);
  void OnEnable(Notification& notification);
  void SwitchBand(DeviceRecord& record, int band, bool on);
  void OnBypass(Notification& notification);
  void OnPage(Notification& notification);
  void OnCopy(Notification& notification);
  void OnPaste(Notification& notification);
  void OnReset(Notification& notification);
  void OnImport(Notification& notification);
  const BandValue* BandValueOf(const Control& edit) const;

  // eq_graph_edits.cpp
  void OnGraphSelect(Notification& notification);
  void OnGraphValue(Notification& notification);
  void OnGraphFocusLost(Notification& notification);
  void OnShowControl(Notification& notification);
  void SendOrSchedule(WriteId id, bool at_once);

  // eq_filter_edits.cpp
  void OnFilterSwitch(Notification& notification);
  void OnFilterCommit(Notification& notification);
  void OnFilterStep(Notification& notification);
  void OnFilterType(Notification& notification);
  // 0 for the high-pass control of the pair, 1 for the low-pass one.
  std::optional<int> FilterOf(const Control& control, const char* high_pass, const char* low_pass) const;
  void ScheduleFilter(const DeviceRecord& record, int filter) const;

  int side_;
  std::array<StepFilter, 3> band_steps_;
  std::array<StepFilter, 2> filter_steps_;
  std::optional<std::int64_t> last_drag_sent_ms_;
};

}  // namespace dsp
