#pragma once

// The on/off switches a channel has (mute, polarity, delay, equaliser,
// noise gate, compressor, limiter) and the writes a change of a channel's
// values schedules. Three kinds of write:
//   kWholeSide: an input's frame carries that input, an output's frame every
//     output (gain and mute, polarity, delay), so a change of all outputs
//     needs one write;
//   kChannel: one frame per channel (noise gate, compressor, limiter);
//   kBands: one frame per equaliser band of the channel.

#include "app/window_context.h"

namespace dsp {

enum class WriteScope { kWholeSide, kChannel, kBands };

struct ChannelWrite {
  WriteScope scope;
  WriteId (*id)(int side, int channel, int address);  // not used for kBands
};

inline constexpr ChannelWrite kGainMuteWrite{WriteScope::kWholeSide, WriteId::GainMute};
inline constexpr ChannelWrite kPolarityWrite{WriteScope::kWholeSide, WriteId::Polarity};
inline constexpr ChannelWrite kDelayWrite{WriteScope::kWholeSide, WriteId::Delay};

// Schedules the writes for `channel` of `side`, or for every channel below
// the record's count with kAllChannels.
void ScheduleChannelWrites(WindowContext& context, const DeviceRecord& record, const ChannelWrite& write, int side,
                           int channel, int delay_ms = WindowContext::kWriteDelayMs);

struct ChannelSwitch {
  bool (*is_on)(const DeviceRecord&, int side, int channel);
  void (*set)(DeviceRecord&, int side, int channel, bool on);
  ChannelWrite write;
};

extern const ChannelSwitch kMuteSwitch;
extern const ChannelSwitch kPolaritySwitch;
extern const ChannelSwitch kDelaySwitch;
// On while any band of the channel is on; switching it sets every band.
extern const ChannelSwitch kEqualizerSwitch;
extern const ChannelSwitch kNoiseGateSwitch;
extern const ChannelSwitch kCompressorSwitch;
extern const ChannelSwitch kLimiterSwitch;

// Sets the switch of `channel` (every channel below the count with
// kAllChannels) and schedules its writes.
void SetChannelSwitch(WindowContext& context, DeviceRecord& record, const ChannelSwitch& which, int side, int channel,
                      bool on);
// Whether the switch is on for every channel below the record's count.
bool SwitchOnForAll(const DeviceRecord& record, const ChannelSwitch& which, int side);

}  // namespace dsp
