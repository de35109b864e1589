#include "protocol/commands.h"

#include <algorithm>

#include "link/frame.h"

namespace dsp {
namespace {

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

Bytes Request(std::uint8_t address, std::uint8_t cmd, std::initializer_list<std::uint8_t> payload) {
  return BuildFrame(kKindRequest, address, cmd, Bytes(payload));
}

Bytes ChannelRequest(std::uint8_t address, std::uint8_t cmd, int channel) {
  return Request(address, cmd, {Byte(channel), Byte(channel)});
}

void CopyText(Bytes& frame, std::size_t offset, std::string_view text, std::size_t width) {
  const std::size_t n = std::min(text.size(), width);
  std::copy_n(text.begin(), n, frame.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

Bytes ScanStartFrame() { return BuildFrame(kKindDiscovery, 0, command::kScanStart); }
Bytes ScanAskFrame() { return BuildFrame(kKindDiscovery, 0, command::kScanAsk); }
Bytes ScanReAskFrame() { return BuildFrame(kKindDiscovery, 0, command::kScanReAsk); }

Bytes AssignAddressFrame(std::uint8_t new_address, const ChipIdBytes& chip_id) {
  Bytes payload{new_address};
  payload.insert(payload.end(), chip_id.begin(), chip_id.end());
  return BuildFrame(kKindDiscovery, 0, command::kAssignAddress, payload);
}

Bytes RenameFrame(std::uint8_t address, std::string_view name) {
  Bytes frame = BlankFrame(26, kKindDiscovery, address, command::kRename);
  CopyText(frame, kOffsetPayload, name, static_cast<std::size_t>(kNameBytes));
  SealFrame(frame);
  return frame;
}

Bytes ReadDelayFrame(std::uint8_t address, int side, int channel) {
  return ChannelRequest(address, side == 0 ? command::kInputDelay : command::kOutputDelay, channel);
}

Bytes ReadPresetNameFrame(std::uint8_t address, int preset) {
  return Request(address, command::kPresetName, {Byte(preset)});
}

Bytes ReadEqFrame(std::uint8_t address, int side, int channel, int first_band) {
  return Request(address, side == 0 ? command::kInputEq : command::kOutputEq,
                 {Byte(channel), Byte(channel), Byte(first_band), Byte(first_band + 15)});
}

Bytes ReadNoiseGateFrame(std::uint8_t address, int channel) {
  return ChannelRequest(address, command::kNoiseGate, channel);
}

Bytes ReadInputGainFrame(std::uint8_t address, int channel) {
  return ChannelRequest(address, command::kInputGain, channel);
}

Bytes ReadFilterFrame(std::uint8_t address, int channel, int filter) {
  return Request(address, command::kOutputFilter, {Byte(channel), Byte(channel), Byte(filter)});
}

Bytes ReadCompressorFrame(std::uint8_t address, int channel) {
  return ChannelRequest(address, command::kCompressor, channel);
}

Bytes ReadLimiterFrame(std::uint8_t address, int channel) {
  return ChannelRequest(address, command::kLimiter, channel);
}

Bytes ReadOutputGainsFrame(std::uint8_t address) { return Request(address, command::kOutputGains, {}); }

Bytes ReadPolarityFrame(std::uint8_t address, int side, int channel) {
  return ChannelRequest(address, side == 0 ? command::kInputPolarity : command::kOutputPolarity, channel);
}

Bytes ReadMatrixRowFrame(std::uint8_t address, int input) {
  return ChannelRequest(address, command::kMatrixRow, input);
}

Bytes PresetRecallFrame(std::uint8_t address, int preset) {
  return Request(address, command::kPresetRecall, {Byte(preset)});
}

Bytes PresetSaveFrame(std::uint8_t address, int preset) {
  return Request(address, command::kPresetSave, {Byte(preset)});
}

Bytes PresetNameWriteFrame(std::uint8_t address, int preset, std::string_view name) {
  Bytes frame = BlankFrame(27, kKindWrite, address, command::kPresetName);
  frame[kOffsetPayload] = Byte(preset);
  CopyText(frame, kOffsetPayload + 1, name, kPresetNameChars);
  SealFrame(frame);
  return frame;
}

Bytes ReadEffectBlockFrame(std::uint8_t address, int block) {
  return Request(address, command::kEffectBlock, {Byte(block & 0xFF), Byte((block >> 8) & 0xFF), 0xFF});
}

Bytes LevelPollFrame(std::uint8_t address) { return Request(address, command::kLevelPoll, {0}); }

}  // namespace dsp
