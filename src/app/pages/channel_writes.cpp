#include "app/pages/channel_writes.h"

#include "app/control_names.h"

namespace dsp {
namespace {

void ScheduleOne(WindowContext& context, const DeviceRecord& record, const ChannelWrite& write, int side, int channel,
                 int delay_ms) {
  const int address = record.Address();
  if (write.scope != WriteScope::kBands) {
    context.ScheduleWrite(write.id(side, channel, address), delay_ms);
    return;
  }
  for (int band = 0; band < record.EqBandCount(side); ++band) {
    context.ScheduleWrite(WriteId::EqBand(side, channel, band, address), delay_ms);
  }
}

bool AnyBandOn(const DeviceRecord& record, int side, int channel) {
  for (int band = 0; band < record.EqBandCount(side); ++band) {
    if (record.EqualizerEnable(side, channel, band)) return true;
  }
  return false;
}

void SetEveryBand(DeviceRecord& record, int side, int channel, bool on) {
  for (int band = 0; band < record.EqBandCount(side); ++band) record.SetEqualizerEnable(side, channel, band, on);
}

}  // namespace

void ScheduleChannelWrites(WindowContext& context, const DeviceRecord& record, const ChannelWrite& write, int side,
                           int channel, int delay_ms) {
  if (channel != kAllChannels) {
    ScheduleOne(context, record, write, side, channel, delay_ms);
  } else if (write.scope == WriteScope::kWholeSide && side == kOutputSide) {
    ScheduleOne(context, record, write, side, 0, delay_ms);
  } else {
    for (int ch = 0; ch < record.ChannelCount(side); ++ch) ScheduleOne(context, record, write, side, ch, delay_ms);
  }
}

const ChannelSwitch kMuteSwitch{
    [](const DeviceRecord& r, int side, int ch) { return r.Mute(side, ch); },
    [](DeviceRecord& r, int side, int ch, bool on) { r.SetMute(side, ch, on); }, kGainMuteWrite};

const ChannelSwitch kPolaritySwitch{
    [](const DeviceRecord& r, int side, int ch) { return r.Polarity(side, ch); },
    [](DeviceRecord& r, int side, int ch, bool on) { r.SetPolarity(side, ch, on); }, kPolarityWrite};

const ChannelSwitch kDelaySwitch{
    [](const DeviceRecord& r, int side, int ch) { return r.DelayEnable(side, ch); },
    [](DeviceRecord& r, int side, int ch, bool on) { r.SetDelayEnable(side, ch, on); }, kDelayWrite};

const ChannelSwitch kEqualizerSwitch{AnyBandOn, SetEveryBand, {WriteScope::kBands, nullptr}};

const ChannelSwitch kNoiseGateSwitch{
    [](const DeviceRecord& r, int, int ch) { return r.NoiseGateEnable(ch); },
    [](DeviceRecord& r, int, int ch, bool on) { r.SetNoiseGateEnable(ch, on); },
    {WriteScope::kChannel, [](int, int ch, int address) { return WriteId::NoiseGate(ch, address); }}};

const ChannelSwitch kCompressorSwitch{
    [](const DeviceRecord& r, int, int ch) { return r.CompressorEnable(ch); },
    [](DeviceRecord& r, int, int ch, bool on) { r.SetCompressorEnable(ch, on); },
    {WriteScope::kChannel, [](int, int ch, int address) { return WriteId::Compressor(ch, address); }}};

const ChannelSwitch kLimiterSwitch{
    [](const DeviceRecord& r, int, int ch) { return r.LimitEnable(ch); },
    [](DeviceRecord& r, int, int ch, bool on) { r.SetLimitEnable(ch, on); },
    {WriteScope::kChannel, [](int, int ch, int address) { return WriteId::Limiter(ch, address); }}};

void SetChannelSwitch(WindowContext& context, DeviceRecord& record, const ChannelSwitch& which, int side, int channel,
                      bool on) {
  if (channel == kAllChannels) {
    for (int ch = 0; ch < record.ChannelCount(side); ++ch) which.set(record, side, ch, on);
  } else {
    which.set(record, side, channel, on);
  }
  ScheduleChannelWrites(context, record, which.write, side, channel);
}

bool SwitchOnForAll(const DeviceRecord& record, const ChannelSwitch& which, int side) {
  const int count = record.ChannelCount(side);
  for (int ch = 0; ch < count; ++ch) {
    if (!which.is_on(record, side, ch)) return false;
  }
  return count > 0;
}

}  // namespace dsp
