#pragma once

// The input page and the output page: mute and polarity of the channel the
// side's pages show, and on the input page the processor's pink noise on
// that input.

#include "app/pages/channel_writes.h"
#include "app/pages/page.h"

namespace dsp {

class ChannelPage : public Page {
 public:
  ChannelPage(WindowContext& context, int side);

  void Register(NotifyRegistry& registry) override;
  void Refresh(int channel) override;

 private:
  void OnMute(Notification& notification);
  void OnPolarity(Notification& notification);
  void OnPinkNoisePlay(Notification&) { PinkNoise(true); }
  void OnPinkNoiseStop(Notification&) { PinkNoise(false); }
  void SetPageSwitch(Notification& notification, const ChannelSwitch& which);
  void PinkNoise(bool on);

  int side_;
};

}  // namespace dsp
