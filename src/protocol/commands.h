#pragma once

// Builders of the requests the device procedures send. Each returns a complete
// frame with its checksum. Channel arguments are zero-based; side 0 is the
// inputs, side 1 the outputs.

#include <cstdint>
#include <string_view>

#include "link/bytes.h"
#include "model/device_record.h"

namespace dsp {

namespace command {
inline constexpr std::uint8_t kScanStart = 0xEF;
inline constexpr std::uint8_t kScanAsk = 0xE1;
inline constexpr std::uint8_t kIdentify = 0xE2;
inline constexpr std::uint8_t kScanReAsk = 0xE3;
inline constexpr std::uint8_t kAssignAddress = 0xE4;
inline constexpr std::uint8_t kAddressConfirmed = 0xE5;
inline constexpr std::uint8_t kRename = 0xE6;
inline constexpr std::uint8_t kInputDelay = 0x84;
inline constexpr std::uint8_t kOutputDelay = 0xA3;
inline constexpr std::uint8_t kPresetName = 0xD7;
inline constexpr std::uint8_t kInputEq = 0x81;
inline constexpr std::uint8_t kOutputEq = 0xA1;
inline constexpr std::uint8_t kNoiseGate = 0x83;
inline constexpr std::uint8_t kInputGain = 0x80;
inline constexpr std::uint8_t kOutputFilter = 0xA2;
inline constexpr std::uint8_t kCompressor = 0xA9;
inline constexpr std::uint8_t kLimiter = 0xA6;
inline constexpr std::uint8_t kOutputGains = 0xA0;
inline constexpr std::uint8_t kInputPolarity = 0x85;
inline constexpr std::uint8_t kOutputPolarity = 0xA4;
inline constexpr std::uint8_t kMatrixRow = 0x90;
inline constexpr std::uint8_t kPresetRecall = 0x71;
inline constexpr std::uint8_t kPresetSave = 0x70;
inline constexpr std::uint8_t kEffectBlock = 0xD6;
inline constexpr std::uint8_t kLevelPoll = 0xD0;
}  // namespace command

inline constexpr std::size_t kPresetNameChars = 19;

Bytes ScanStartFrame();
Bytes ScanAskFrame();
Bytes ScanReAskFrame();
Bytes AssignAddressFrame(std::uint8_t new_address, const ChipIdBytes& chip_id);
// The name is cut to 20 bytes and NUL-padded.
Bytes RenameFrame(std::uint8_t address, std::string_view name);

Bytes ReadDelayFrame(std::uint8_t address, int side, int channel);
Bytes ReadPresetNameFrame(std::uint8_t address, int preset);
Bytes ReadEqFrame(std::uint8_t address, int side, int channel, int first_band);
Bytes ReadNoiseGateFrame(std::uint8_t address, int channel);
Bytes ReadInputGainFrame(std::uint8_t address, int channel);
Bytes ReadFilterFrame(std::uint8_t address, int channel, int filter);
Bytes ReadCompressorFrame(std::uint8_t address, int channel);
Bytes ReadLimiterFrame(std::uint8_t address, int channel);
Bytes ReadOutputGainsFrame(std::uint8_t address);
Bytes ReadPolarityFrame(std::uint8_t address, int side, int channel);
Bytes ReadMatrixRowFrame(std::uint8_t address, int input);

Bytes PresetRecallFrame(std::uint8_t address, int preset);
Bytes PresetSaveFrame(std::uint8_t address, int preset);
// The write always ends the name with a NUL: at most 19 characters travel.
Bytes PresetNameWriteFrame(std::uint8_t address, int preset, std::string_view name);

Bytes ReadEffectBlockFrame(std::uint8_t address, int block);
Bytes LevelPollFrame(std::uint8_t address);

}  // namespace dsp
