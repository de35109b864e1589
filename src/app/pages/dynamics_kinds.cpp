#include "app/pages/dynamics_kinds.h"

#include <cmath>
#include <limits>

namespace dsp {
namespace {

// What the frames carry (with the skin's offsets at 0): the gate's
// thresholds travel as 200 + value in a byte, the limiter's comes back as
// a signed byte and its release is one byte, the compressor's values are
// 16 bits (the ratio times ten). The gate's times are kept, not sent.
constexpr std::pair<int, int> kGateThreshold{-200, 55};
constexpr std::pair<int, int> kSixteenBits{0, 0xFFFF};
constexpr std::pair<int, int> kCompressorThreshold{std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()};
constexpr std::pair<int, int> kCompressorRatio{1, 0xFFFF / 10};
constexpr std::pair<int, int> kLimiterThreshold{-128, 127};
constexpr std::pair<int, int> kOneByte{0, 0xFF};

DynamicsKind BuildNoiseGate() {
  return {"noise_gate",
          kInputSide,
          &kNoiseGateSwitch,
          "checkbox_noise_gate_enable",
          {"Noise Gate:ON", "噪声门:开"},
          {"Noise Gate:OFF", "噪声门:关"},
          "liner_noise_gate",
          {{"noise_gate_start_gate", &DeviceRecord::NoiseGateStartGate, &DeviceRecord::SetNoiseGateStartGate, 1,
            kGateThreshold},
           {"noise_gate_start_time", &DeviceRecord::NoiseGateStartTime, &DeviceRecord::SetNoiseGateStartTime, 1,
            kSixteenBits, false},
           {"noise_gate_release_gate", &DeviceRecord::NoiseGateReleaseGate, &DeviceRecord::SetNoiseGateReleaseGate,
            1, kGateThreshold},
           {"noise_gate_release_time", &DeviceRecord::NoiseGateReleaseTime, &DeviceRecord::SetNoiseGateReleaseTime,
            1, kSixteenBits, false}},
          0,
          std::nullopt,
          1,
          false,
          "button_noise_gate_start_gate",
          "liner_noise_gate"};
}

DynamicsKind BuildCompressor() {
  return {"comp",
          kOutputSide,
          &kCompressorSwitch,
          "checkbox_comp_enable",
          {"Compressor:ON", "压缩器:开"},
          {"Compressor:OFF", "压缩器:关"},
          "liner_comp",
          {{"comp_start_gate", &DeviceRecord::CompressorStartGate, &DeviceRecord::SetCompressorStartGate, 10,
            kCompressorThreshold},
           {"comp_ratio", &DeviceRecord::CompressorRatio, &DeviceRecord::SetCompressorRatio, 1, kCompressorRatio},
           {"comp_start_time", &DeviceRecord::CompressorStartTime, &DeviceRecord::SetCompressorStartTime, 1,
            kSixteenBits},
           {"comp_release_time", &DeviceRecord::CompressorReleaseTime, &DeviceRecord::SetCompressorReleaseTime, 1,
            kSixteenBits}},
          0,
          1,
          -1,
          false,
          "button_comp_start_gate",
          std::nullopt};
}

DynamicsKind BuildLimiter() {
  return {"limit",
          kOutputSide,
          &kLimiterSwitch,
          "checkbox_limit_enable",
          {"Limiter:ON", "限幅器:开"},
          {"Limiter:OFF", "限幅器:关"},
          "liner_limit",
          {{"limit_start_gate", &DeviceRecord::LimitStartGate, &DeviceRecord::SetLimitStartGate, 1,
            kLimiterThreshold},
           {"limit_release_time", &DeviceRecord::LimitReleaseTime, &DeviceRecord::SetLimitReleaseTime, 1, kOneByte}},
          0,
          std::nullopt,
          1,
          true,
          "button_limit_start_gate",
          "liner_limit"};
}

}  // namespace

const DynamicsKind& NoiseGateKind() {
  static const DynamicsKind kind = BuildNoiseGate();
  return kind;
}

const DynamicsKind& CompressorKind() {
  static const DynamicsKind kind = BuildCompressor();
  return kind;
}

const DynamicsKind& LimiterKind() {
  static const DynamicsKind kind = BuildLimiter();
  return kind;
}

std::optional<int> RatioPercent(int ratio) {
  if (ratio < 1) return std::nullopt;
  return static_cast<int>(std::lround(100.0 - 100.0 / ratio));
}

std::optional<int> RatioOfPercent(int percent) {
  if (percent >= 100) return std::nullopt;
  return static_cast<int>(std::lround(100.0 / (100 - percent)));
}

}  // namespace dsp
