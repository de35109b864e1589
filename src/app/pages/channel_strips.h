#pragma once

// The channel strips of one side of the overview: each channel's gain
// (slider and edit box), mute and polarity, the switches of its equaliser
// and of its noise gate (inputs) or compressor and limiter (outputs), the
// "_all" boxes above them, and the channel card whose header, row or gain
// controls make the channel the one the side's pages show.

#include <vector>

#include "app/pages/channel_writes.h"
#include "app/pages/page.h"
#include "platform/step_filter.h"

namespace dsp {

class ChannelStrips : public Page {
 public:
  static constexpr int kGainMin = -6400;
  static constexpr int kGainMax = 600;

  ChannelStrips(WindowContext& context, int side);

  // A gain typed in dB, as stored: limited to -64.0..+6.0 dB, in 0.01 dB
  // units, on the processor's 0.1 dB steps.
  static int TypedGain(double db);

  void Register(NotifyRegistry& registry) override;
  // Shows every channel below the record's count; the argument is unused.
  void Refresh(int) override;

 private:
  struct Switch {
    std::string family;  // the per-channel name without its suffix
    const ChannelSwitch* which;
  };

  void OnGainCommit(Notification& notification);
  void OnGainStep(Notification& notification);
  void OnGainSlider(Notification& notification);
  void OnGainSliderMove(Notification& notification);
  void SlideGain(Notification& notification, int delay_ms);
  void OnSwitch(Notification& notification);
  void OnChannelChoice(Notification& notification);
  void StoreGain(DeviceRecord& record, int channel, int gain, int delay_ms);
  std::string GainText(int gain) const;

  int side_;
  std::vector<Switch> switches_;
  StepFilter gain_steps_;
};

}  // namespace dsp
