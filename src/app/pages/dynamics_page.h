#pragma once

// A dynamics page (noise gate, compressor or limiter; see dynamics_kinds.h)
// for the channel its side's pages show: the switch, every parameter's
// slider and edit box, and the transfer curve, whose threshold (and ratio)
// the user drags or steps. It also shows the threshold text and the small
// curve of each channel's block on the overview; the overview's switches
// belong to the channel strips.
//
// A stored value outside what the page's slider or curve can show (a
// processor set by other means) is shown as its number, with the slider at
// its end and no point on the curve, and is only ever changed by the user
// changing it.

#include <map>
#include <memory>
#include <string>

#include "app/pages/dynamics_kinds.h"
#include "app/pages/page.h"
#include "platform/step_filter.h"

namespace dsp {

class LinerControl;

class DynamicsPage : public Page {
 public:
  DynamicsPage(WindowContext& context, const DynamicsKind& kind);

  // A value as its edit box shows it.
  static std::string ValueText(const DynamicsParameter& parameter, int stored);

  void Register(NotifyRegistry& registry) override;
  void Refresh(int channel) override;

 private:
  struct Edit {
    const DynamicsParameter* parameter;
    int channel;
    DeviceRecord* record;
  };

  void OnCommit(Notification& notification);
  void OnStep(Notification& notification);
  void OnSlider(Notification& notification);
  void OnCurve(Notification& notification);
  void OnSwitch(Notification& notification);
  // The record, channel and parameter a notification edits; no record when
  // there is none to edit.
  Edit EditOf(const Notification& notification, DeviceRecord* record) const;
  std::pair<int, int> Range(const DynamicsParameter& parameter) const;
  void Store(DeviceRecord& record, int channel, const DynamicsParameter& parameter, int value);
  void ShowCurve(LinerControl& curve, const DeviceRecord& record, int channel, bool editable) const;
  void ShowOverview(const DeviceRecord& record) const;
  // What the curve shows for the stored ratio, or nothing when it cannot.
  std::optional<int> ShownRatio(const DeviceRecord& record, int channel) const;

  const DynamicsKind& kind_;
  std::map<std::string, StepFilter, std::less<>> steps_;  // per edit box
};

// The three pages, for the page list.
std::unique_ptr<Page> MakeNoiseGatePage(WindowContext& context);
std::unique_ptr<Page> MakeCompressorPage(WindowContext& context);
std::unique_ptr<Page> MakeLimiterPage(WindowContext& context);

}  // namespace dsp
