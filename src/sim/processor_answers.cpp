// The processor's answers other than the parameter reads: identification,
// address confirmation, preset names, effect blocks and levels.

#include <algorithm>

#include "link/frame.h"
#include "sim/sim_commands.h"
#include "sim/sim_processor.h"

namespace dsp {
namespace {

// Discovery answers carry the complement of the broadcast's address 0.
constexpr std::uint8_t kDiscoveryAnswerAddress = 0xFF;
constexpr std::size_t kLevelsOffset = 11;

void PutText(Bytes& frame, std::size_t at, const std::string& text, std::size_t width) {
  std::copy_n(text.begin(), std::min(text.size(), width), frame.begin() + static_cast<std::ptrdiff_t>(at));
}

void PutU32(Bytes& frame, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) frame[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

Bytes SimProcessor::IdentifyAnswer() const {
  Bytes f = BlankFrame(14, kKindDiscovery, kDiscoveryAnswerAddress, sim_cmd::kIdentify);
  std::copy(config_.chip_id.begin(), config_.chip_id.end(), f.begin() + 5);
  SealFrame(f);
  return f;
}

Bytes SimProcessor::AddressConfirmation() const {
  Bytes f = BlankFrame(29, kKindDiscovery, kDiscoveryAnswerAddress, sim_cmd::kConfirmAddress);
  f[5] = address_;
  PutText(f, 6, name_, kSimNameBytes);
  f[26] = static_cast<std::uint8_t>(config_.inputs);
  f[27] = static_cast<std::uint8_t>(config_.outputs);
  SealFrame(f);
  return f;
}

Bytes SimProcessor::PresetNameReply(ByteView request) const {
  Bytes f = BlankFrame(27, kKindReply, address_, sim_cmd::kPresetName);
  f[5] = request[5];
  PutText(f, 6, presets_[request[5]].name, kSimPresetNameChars);
  SealFrame(f);
  return f;
}

Bytes SimProcessor::EffectBlockReply(ByteView request, int block) const {
  const std::size_t size = static_cast<std::size_t>(config_.effect_block_size);
  Bytes f = BlankFrame(8 + size, kKindReply, address_, sim_cmd::kEffectBlock);
  f[5] = request[5];
  f[6] = request[6];
  std::copy_n(effect_memory_.begin() + static_cast<std::ptrdiff_t>(block * size), size, f.begin() + 7);
  SealFrame(f);
  return f;
}

// Byte 5 is the current preset, 6 the inputs playing pink noise, 7 and 8 the
// channel counts (so never all 0xFF), then each input's and each output's
// level as 32 bits from byte 11.
Bytes SimProcessor::LevelReply() const {
  const std::size_t channels = static_cast<std::size_t>(config_.inputs + config_.outputs);
  Bytes f = BlankFrame(kLevelsOffset + 4 * channels + 1, kKindReply, address_, sim_cmd::kLevelPoll);
  f[5] = static_cast<std::uint8_t>(current_preset_);
  f[6] = pink_noise_.channel_mask;
  f[7] = static_cast<std::uint8_t>(config_.inputs);
  f[8] = static_cast<std::uint8_t>(config_.outputs);
  std::size_t at = kLevelsOffset;
  for (int i = 0; i < config_.inputs; ++i, at += 4) PutU32(f, at, levels_.Input(i));
  for (int j = 0; j < config_.outputs; ++j, at += 4) PutU32(f, at, levels_.Output(j));
  SealFrame(f);
  return f;
}

}  // namespace dsp
