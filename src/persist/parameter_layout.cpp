#include "persist/parameter_layout.h"

#include <utility>

namespace dsp::layout {
namespace {

using R = const DeviceRecord&;
using W = DeviceRecord&;

using C = const Configuration&;

Range Flag(int, C) { return {0, 1}; }
Range Byte(int, C) { return {0, 0xFF}; }
Range Nibble(int, C) { return {0, 0x0F}; }
Range Word(int, C) { return {0, 0xFFFF}; }
// Tenths of a dB above 2000 in 16 bits, which the processor reads back
// signed for an input and unsigned for an output.
Range Gain(int side, C) { return side == kInputSide ? Range{-347680, 307670} : Range{-20000, 635350}; }
Range EqGain(int, C) { return {-25600, 0xFFFF - 25600}; }
Range CompressorRatio(int, C) { return {0, 0xFFFF / 10}; }
Range CompressorGate(int, C config) {
  const int offset = static_cast<int>(config.drc_offset) * 10;
  return {-32767 - offset, 32768 - offset};
}
// The limiter's threshold goes out as offset + 200 + value in one byte and
// comes back as a signed byte.
Range LimiterGate(int, C config) {
  const int offset = static_cast<int>(config.limit_offset);
  return {-128 - offset, 55 - offset};
}
Range NoiseGateGate(int, C config) {
  const int offset = static_cast<int>(config.noisegate_offset);
  return {-200 - offset, 55 - offset};
}

struct NamedField {
  const char* key;
  Field field;
};

// Keys of both sides, first in every channel section.
const NamedField kChannelFields[] = {
    {"gain",
     {[](R r, int s, int c, int) { return r.Gain(s, c); }, [](W r, int s, int c, int, int v) { r.SetGain(s, c, v); },
      Gain}},
    {"mute",
     {[](R r, int s, int c, int) { return int{r.Mute(s, c)}; },
      [](W r, int s, int c, int, int v) { r.SetMute(s, c, v != 0); }, Flag}},
    {"polarity",
     {[](R r, int s, int c, int) { return int{r.Polarity(s, c)}; },
      [](W r, int s, int c, int, int v) { r.SetPolarity(s, c, v != 0); }, Flag}},
    {"delay",
     {[](R r, int s, int c, int) { return r.Delay(s, c); }, [](W r, int s, int c, int, int v) { r.SetDelay(s, c, v); },
      Word}},
    {"delay_enable",
     {[](R r, int s, int c, int) { return int{r.DelayEnable(s, c)}; },
      [](W r, int s, int c, int, int v) { r.SetDelayEnable(s, c, v != 0); }, Flag}},
};

const NamedField kNoiseGateFields[] = {
    {"noise_gate_enable",
     {[](R r, int, int c, int) { return int{r.NoiseGateEnable(c)}; },
      [](W r, int, int c, int, int v) { r.SetNoiseGateEnable(c, v != 0); }, Flag}},
    {"noise_gate_release_gate",
     {[](R r, int, int c, int) { return r.NoiseGateReleaseGate(c); },
      [](W r, int, int c, int, int v) { r.SetNoiseGateReleaseGate(c, v); }, NoiseGateGate}},
    {"noise_gate_release_time",
     {[](R r, int, int c, int) { return r.NoiseGateReleaseTime(c); },
      [](W r, int, int c, int, int v) { r.SetNoiseGateReleaseTime(c, v); }, Word}},
    {"noise_gate_start_gate",
     {[](R r, int, int c, int) { return r.NoiseGateStartGate(c); },
      [](W r, int, int c, int, int v) { r.SetNoiseGateStartGate(c, v); }, NoiseGateGate}},
    {"noise_gate_start_time",
     {[](R r, int, int c, int) { return r.NoiseGateStartTime(c); },
      [](W r, int, int c, int, int v) { r.SetNoiseGateStartTime(c, v); }, Word}},
};

const NamedField kDynamicsFields[] = {
    {"compressor_enable",
     {[](R r, int, int c, int) { return int{r.CompressorEnable(c)}; },
      [](W r, int, int c, int, int v) { r.SetCompressorEnable(c, v != 0); }, Flag}},
    {"compressor_ratio",
     {[](R r, int, int c, int) { return r.CompressorRatio(c); },
      [](W r, int, int c, int, int v) { r.SetCompressorRatio(c, v); }, CompressorRatio}},
    {"compressor_release_time",
     {[](R r, int, int c, int) { return r.CompressorReleaseTime(c); },
      [](W r, int, int c, int, int v) { r.SetCompressorReleaseTime(c, v); }, Word}},
    {"compressor_start_gate",
     {[](R r, int, int c, int) { return r.CompressorStartGate(c); },
      [](W r, int, int c, int, int v) { r.SetCompressorStartGate(c, v); }, CompressorGate}},
    {"compressor_start_time",
     {[](R r, int, int c, int) { return r.CompressorStartTime(c); },
      [](W r, int, int c, int, int v) { r.SetCompressorStartTime(c, v); }, Word}},
    {"limit_enable",
     {[](R r, int, int c, int) { return int{r.LimitEnable(c)}; },
      [](W r, int, int c, int, int v) { r.SetLimitEnable(c, v != 0); }, Flag}},
    {"limit_release_time",
     {[](R r, int, int c, int) { return r.LimitReleaseTime(c); },
      [](W r, int, int c, int, int v) { r.SetLimitReleaseTime(c, v); }, Byte}},
    {"limit_start_gate",
     {[](R r, int, int c, int) { return r.LimitStartGate(c); },
      [](W r, int, int c, int, int v) { r.SetLimitStartGate(c, v); }, LimiterGate}},
};

// The four filter keys; the filter index is passed as `index`.
const NamedField kFilterFields[] = {
    {"enable",
     {[](R r, int s, int c, int f) { return int{r.FilterEnable(s, c, f)}; },
      [](W r, int s, int c, int f, int v) { r.SetFilterEnable(s, c, f, v != 0); }, Flag}},
    {"frequence",
     {[](R r, int s, int c, int f) { return r.FilterFrequence(s, c, f); },
      [](W r, int s, int c, int f, int v) { r.SetFilterFrequence(s, c, f, v); }, Word}},
    {"slope",
     {[](R r, int s, int c, int f) { return r.FilterSlope(s, c, f); },
      [](W r, int s, int c, int f, int v) { r.SetFilterSlope(s, c, f, v); }, Nibble}},
    {"type",
     {[](R r, int s, int c, int f) { return r.FilterType(s, c, f); },
      [](W r, int s, int c, int f, int v) { r.SetFilterType(s, c, f, v); }, Nibble}},
};

// The five keys of each band, suffixed with the band index.
const NamedField kBandFields[] = {
    {"equalizer_enable_",
     {[](R r, int s, int c, int b) { return int{r.EqualizerEnable(s, c, b)}; },
      [](W r, int s, int c, int b, int v) { r.SetEqualizerEnable(s, c, b, v != 0); }, Flag}},
    {"equalizer_frequence_",
     {[](R r, int s, int c, int b) { return r.EqualizerFrequence(s, c, b); },
      [](W r, int s, int c, int b, int v) { r.SetEqualizerFrequence(s, c, b, v); }, Word}},
    {"equalizer_gain_",
     {[](R r, int s, int c, int b) { return r.EqualizerGain(s, c, b); },
      [](W r, int s, int c, int b, int v) { r.SetEqualizerGain(s, c, b, v); }, EqGain}},
    {"equalizer_q_",
     {[](R r, int s, int c, int b) { return r.EqualizerQ(s, c, b); },
      [](W r, int s, int c, int b, int v) { r.SetEqualizerQ(s, c, b, v); }, Word}},
    {"equalizer_type_",
     {[](R r, int s, int c, int b) { return r.EqualizerType(s, c, b); },
      [](W r, int s, int c, int b, int v) { r.SetEqualizerType(s, c, b, v); }, Byte}},
};

// A matrix cell: `ch` is the input, `index` the output.
const Field kRouterLevel = {[](R r, int, int in, int out) { return r.Router(in, out); },
                            [](W r, int, int in, int out, int v) { r.SetRouter(in, out, v); }, Byte};
const Field kRouterEnable = {[](R r, int, int in, int out) { return int{r.RouterEnable(in, out)}; },
                             [](W r, int, int in, int out, int v) { r.SetRouterEnable(in, out, v != 0); }, Flag};

const std::string kRouterSection = "router";

std::string ChannelSection(int side, int ch) {
  return (side == kInputSide ? "input " : "output ") + std::to_string(ch);
}

class Walker {
 public:
  Walker(const DeviceRecord& record, const std::function<void(const Key&)>& visit) : record_(record), visit_(visit) {}

  void Run() {
    for (int ch = 0; ch < record_.Inputs(); ++ch) {
      section_ = ChannelSection(kInputSide, ch);
      Visit(kChannelFields, kInputSide, ch);
      Visit(kNoiseGateFields, kInputSide, ch);
      VisitBands(kInputSide, ch);
    }
    for (int ch = 0; ch < record_.Outputs(); ++ch) {
      section_ = ChannelSection(kOutputSide, ch);
      Visit(kChannelFields, kOutputSide, ch);
      Visit(kDynamicsFields, kOutputSide, ch);
      VisitFilter("filter_low_pass_", kLowPass, ch);
      VisitFilter("filter_high_pass_", kHighPass, ch);
      VisitBands(kOutputSide, ch);
    }
    section_ = kRouterSection;
    for (int in = 0; in < record_.Inputs(); ++in) {
      for (int out = 0; out < record_.Outputs(); ++out) {
        const std::string cell = "in_" + std::to_string(in) + "_out_" + std::to_string(out);
        Emit(cell, kRouterLevel, 0, in, out);
        Emit(cell + "_enable", kRouterEnable, 0, in, out);
      }
    }
  }

 private:
  template <std::size_t N>
  void Visit(const NamedField (&fields)[N], int side, int ch) {
    for (const NamedField& f : fields) Emit(f.key, f.field, side, ch, 0);
  }

  void VisitFilter(const std::string& prefix, int filter, int ch) {
    for (const NamedField& f : kFilterFields) Emit(prefix + f.key, f.field, kOutputSide, ch, filter);
  }

  void VisitBands(int side, int ch) {
    for (int band = 0; band < record_.EqBandCount(side); ++band) {
      for (const NamedField& f : kBandFields) Emit(f.key + std::to_string(band), f.field, side, ch, band);
    }
  }

  void Emit(const std::string& name, const Field& field, int side, int ch, int index) {
    visit_(Key{section_, name, field, side, ch, index});
  }

  const DeviceRecord& record_;
  const std::function<void(const Key&)>& visit_;
  std::string section_;
};

}  // namespace

void ForEachKey(const DeviceRecord& record, const std::function<void(const Key&)>& visit) {
  Walker(record, visit).Run();
}

void ForEachSection(const DeviceRecord& record, const std::function<void(const std::string&)>& visit) {
  for (int ch = 0; ch < record.Inputs(); ++ch) visit(ChannelSection(kInputSide, ch));
  for (int ch = 0; ch < record.Outputs(); ++ch) visit(ChannelSection(kOutputSide, ch));
  visit(kRouterSection);
}

}  // namespace dsp::layout
