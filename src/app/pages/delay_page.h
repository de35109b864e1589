#pragma once

// The delay page of one side: every channel's delay (slider and edit box in
// the side's unit), its switch and reset, the whole side's switch and
// reset, and the unit; also the delay switches and texts of the overview's
// strips, which show the same values. The unit of each side lasts as long
// as the window; milliseconds at start.

#include <string>

#include "app/pages/delay_units.h"
#include "app/pages/page.h"
#include "platform/step_filter.h"

namespace dsp {

class DelayPage : public Page {
 public:
  // 50 ms: the processor's delay line, when the skin has no slider to say.
  static constexpr int kFallbackMaxSamples = 2205;

  DelayPage(WindowContext& context, int side);

  void Register(NotifyRegistry& registry) override;
  // Shows the whole side; the argument is the side.
  void Refresh(int) override;

 private:
  void OnCommit(Notification& notification);
  void OnStep(Notification& notification);
  void OnSlider(Notification& notification);
  void OnSwitch(Notification& notification);
  void OnUnit(Notification& notification);
  void OnReset(Notification& notification);
  void StoreDelay(DeviceRecord& record, int channel, int samples);
  void ShowUnitPanels();
  std::pair<int, int> Range(int channel) const;
  std::string Name(const char* pattern, int channel) const;

  int side_;
  DelayUnit unit_ = DelayUnit::kMilliseconds;
  StepFilter steps_;
};

}  // namespace dsp
