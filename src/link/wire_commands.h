#pragma once

// The command bytes the host sends (byte 4 of a frame), by the frame kind
// they travel in (link/frame.h). Every host-side builder and matcher takes
// them from here; the simulator keeps its own table (sim/sim_commands.h) so
// that it checks these values rather than repeating them.

#include <cstdint>

namespace dsp::command {

// Discovery and addressing (kKindDiscovery).
inline constexpr std::uint8_t kScanStart = 0xEF;
inline constexpr std::uint8_t kScanAsk = 0xE1;
inline constexpr std::uint8_t kIdentify = 0xE2;
inline constexpr std::uint8_t kScanReAsk = 0xE3;
inline constexpr std::uint8_t kAssignAddress = 0xE4;
inline constexpr std::uint8_t kAddressConfirmed = 0xE5;
inline constexpr std::uint8_t kRename = 0xE6;

// Reads (kKindRequest, answered in kKindReply with the same command).
inline constexpr std::uint8_t kInputGain = 0x80;
inline constexpr std::uint8_t kInputEq = 0x81;
inline constexpr std::uint8_t kNoiseGate = 0x83;
inline constexpr std::uint8_t kInputDelay = 0x84;
inline constexpr std::uint8_t kInputPolarity = 0x85;
inline constexpr std::uint8_t kMatrixRow = 0x90;
inline constexpr std::uint8_t kOutputGains = 0xA0;
inline constexpr std::uint8_t kOutputEq = 0xA1;
inline constexpr std::uint8_t kOutputFilter = 0xA2;
inline constexpr std::uint8_t kOutputDelay = 0xA3;
inline constexpr std::uint8_t kOutputPolarity = 0xA4;
inline constexpr std::uint8_t kLimiter = 0xA6;
inline constexpr std::uint8_t kCompressor = 0xA9;
inline constexpr std::uint8_t kLevelPoll = 0xD0;
inline constexpr std::uint8_t kEffectBlock = 0xD6;
inline constexpr std::uint8_t kPresetName = 0xD7;  // also written, in kKindWrite

// Actions (kKindWrite, nothing is awaited).
inline constexpr std::uint8_t kPresetSave = 0x70;
inline constexpr std::uint8_t kPresetRecall = 0x71;
// A transfer's start frame: the processor then receives the image by YMODEM.
inline constexpr std::uint8_t kFirmwareStart = 0xD0;
inline constexpr std::uint8_t kParameterImageStart = 0xD6;

// Parameter writes (kKindWrite).
inline constexpr std::uint8_t kEqBandWrite = 0x0A;
inline constexpr std::uint8_t kGainWrite = 0x0F;  // gain and mute, or (byte 7 = 0x80) a matrix row
inline constexpr std::uint8_t kDelayWrite = 0x10;
inline constexpr std::uint8_t kNoiseGateWrite = 0x12;
inline constexpr std::uint8_t kPolarityWrite = 0x1A;
inline constexpr std::uint8_t kHighPassWrite = 0x1B;
inline constexpr std::uint8_t kLowPassWrite = 0x1C;
inline constexpr std::uint8_t kLimiterWrite = 0x1F;
inline constexpr std::uint8_t kCompressorWrite = 0x29;

// Pink noise (kKindPinkNoise).
inline constexpr std::uint8_t kPinkNoise = 0x01;

}  // namespace dsp::command
