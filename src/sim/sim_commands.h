#pragma once

// Command codes the processor understands, by the frame kind they arrive in.
// The simulator keeps its own table rather than including the host's
// (link/wire_commands.h): a wrong byte on either side then shows as a
// processor that does not answer, instead of agreeing with itself.

#include <cstdint>

namespace dsp::sim_cmd {

// Discovery and addressing (kind 0xF2).
inline constexpr std::uint8_t kForgetAddress = 0xEF;
inline constexpr std::uint8_t kScanAsk = 0xE1;
inline constexpr std::uint8_t kIdentify = 0xE2;
inline constexpr std::uint8_t kScanReAsk = 0xE3;
inline constexpr std::uint8_t kAssignAddress = 0xE4;
inline constexpr std::uint8_t kConfirmAddress = 0xE5;
inline constexpr std::uint8_t kRename = 0xE6;

// Reads (kind 0xF7, answered with kind 0xF8).
inline constexpr std::uint8_t kReadInputDelay = 0x84;
inline constexpr std::uint8_t kReadOutputDelay = 0xA3;
inline constexpr std::uint8_t kReadInputEq = 0x81;
inline constexpr std::uint8_t kReadOutputEq = 0xA1;
inline constexpr std::uint8_t kReadNoiseGate = 0x83;
inline constexpr std::uint8_t kReadInputGain = 0x80;
inline constexpr std::uint8_t kReadOutputFilter = 0xA2;
inline constexpr std::uint8_t kReadCompressor = 0xA9;
inline constexpr std::uint8_t kReadLimiter = 0xA6;
inline constexpr std::uint8_t kReadOutputGains = 0xA0;
inline constexpr std::uint8_t kReadInputPolarity = 0x85;
inline constexpr std::uint8_t kReadOutputPolarity = 0xA4;
inline constexpr std::uint8_t kReadMatrixRow = 0x90;
inline constexpr std::uint8_t kPresetName = 0xD7;   // read (0xF7) and write (0xF3)
inline constexpr std::uint8_t kEffectBlock = 0xD6;  // read (0xF7); 0xF3: parameter image receive
inline constexpr std::uint8_t kLevelPoll = 0xD0;    // read (0xF7); 0xF3: firmware receive
inline constexpr std::uint8_t kPresetRecall = 0x71;
inline constexpr std::uint8_t kPresetSave = 0x70;

// Parameter writes (kind 0xF3).
inline constexpr std::uint8_t kWriteEqBand = 0x0A;
inline constexpr std::uint8_t kWriteGainMute = 0x0F;  // byte 7 = 0x80: a matrix row instead
inline constexpr std::uint8_t kWriteDelay = 0x10;
inline constexpr std::uint8_t kWriteNoiseGate = 0x12;
inline constexpr std::uint8_t kWritePolarity = 0x1A;
inline constexpr std::uint8_t kWriteHighPass = 0x1B;
inline constexpr std::uint8_t kWriteLowPass = 0x1C;
inline constexpr std::uint8_t kWriteLimiter = 0x1F;
inline constexpr std::uint8_t kWriteCompressor = 0x29;
inline constexpr std::uint8_t kFirmwareReceive = 0xD0;
inline constexpr std::uint8_t kParameterReceive = 0xD6;

// Pink noise (kind 0xF9).
inline constexpr std::uint8_t kPinkNoise = 0x01;

// Byte 5 (or 6) of whole-side writes: "all outputs" rather than one input.
inline constexpr std::uint8_t kAllOutputs = 0x0A;
// Byte 7 of a 0x0F write that carries a matrix row.
inline constexpr std::uint8_t kMatrixRowFlag = 0x80;

}  // namespace dsp::sim_cmd
