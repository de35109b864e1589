#pragma once

// Builders of the requests the device procedures send. Each returns a complete
// frame with its checksum. Channel arguments are zero-based; side 0 is the
// inputs, side 1 the outputs.

#include <cstdint>
#include <string_view>

#include "link/bytes.h"
#include "link/wire_commands.h"
#include "model/device_record.h"

namespace dsp {

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
