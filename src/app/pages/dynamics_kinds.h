#pragma once

// What tells the three dynamics pages apart: the noise gate of an input,
// the compressor and the limiter of an output. Each has an on/off switch,
// a transfer curve and a slider with an edit box per parameter; they
// differ in their parameters, how a value is shown, how the threshold and
// the ratio sit on the curve, and the overview block that shows them.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/pages/channel_writes.h"
#include "app/texts.h"

namespace dsp {

struct DynamicsParameter {
  std::string name;  // slider_<name>, edit_<name>
  int (DeviceRecord::*get)(int channel) const;
  void (DeviceRecord::*set)(int channel, int value);
  // 10: the record holds tenths and the box shows one decimal; 1: whole numbers.
  int tenths;
  // What the frame carries, when the skin has no slider to say.
  std::pair<int, int> fallback_range;
  // False for a value the frame has no place for (kept, never sent).
  bool sent = true;
};

struct DynamicsKind {
  std::string stem;  // the page: window_<stem>
  int side;
  const ChannelSwitch* which;
  std::string enable_box;
  BilingualText switch_on;
  BilingualText switch_off;
  std::string curve;
  std::vector<DynamicsParameter> parameters;
  // The threshold and, for the compressor, the ratio among the parameters.
  std::size_t threshold;
  std::optional<std::size_t> ratio;
  // The curve shows levels: the compressor's threshold is held as tenths
  // of a dB below full scale, so its level is the stored value negated.
  int level_sign;
  // Which of the curve's coordinates a moved threshold is taken from.
  bool threshold_from_y;
  // The overview block: its threshold text and its small curve (none for
  // the compressor), channel families without the "_N".
  std::string overview_text;
  std::optional<std::string> overview_curve;
};

const DynamicsKind& NoiseGateKind();
const DynamicsKind& CompressorKind();
const DynamicsKind& LimiterKind();

// The compressor curve's ratio is the height of its right end, from 0 %
// (its top corner: 1:1) to 100 % (level with the threshold: no rise at
// all). A ratio of R:1 rises 1/R dB per dB above the threshold, so its
// end sits at 100 - 100 / R percent. Nothing below 1:1.
std::optional<int> RatioPercent(int ratio);
// The whole ratio a percentage stands for; nothing at 100 % and beyond.
std::optional<int> RatioOfPercent(int percent);

}  // namespace dsp
