#pragma once

// Product constants that the skin (or a configuration file) carries, with the
// values used when a source does not name them. Read once at start-up by
// persist/configuration_reader.h; the write builders, the level meter, the
// scan and the equaliser reset use them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/device_record.h"

namespace dsp {

using FrequencyList = std::vector<int>;

// The limits of what the values can be used for.
inline constexpr int kMaxEffectBlockCount = 65536;  // the block index has 16 bits
inline constexpr std::uint32_t kHighestBaud = 4'000'000;
inline constexpr std::uint32_t kLongestScanMs = 3'600'000;
inline constexpr std::uint32_t kLongestAnswerWaitExtraMs = 60'000;
inline constexpr int kLowestMeterFloorDb = -1000;
inline constexpr std::uint32_t kMaxDrcOffset = 0xFFFF / 10;  // ten times it fits the 16-bit threshold

struct Configuration {
  Configuration();

  // Frequencies the equaliser reset puts into bands 0, 1, ... of a channel.
  std::array<std::array<FrequencyList, kChannelsPerSide>, kSides> reset_frequencies;
  // What the reset gives `band` of a channel: its entry of the list, held
  // within 20..20000 Hz; a band the list does not reach gets its default
  // third-octave frequency.
  int ResetFrequency(int side, int channel, int band) const;

  int effect_blocks = 0;  // blocks of the stored effect image
  std::uint32_t pink_noise_address = 0;
  std::uint32_t pink_noise_size = 0;
  std::uint32_t pink_noise_volume = 0;  // its low byte is sent
  // Level value that reads as 0 dB. Never 0: the meter divides by it.
  std::uint32_t energy_full = 1;
  std::uint32_t baud = 115200;
  std::uint32_t scan_time_ms = 5000;
  // Added to every answer wait of the bus, for a bus behind a device server
  // on the network; 0 on a local line.
  std::uint32_t answer_wait_extra_ms = 0;
  // Device servers the bus may be reached through (tcp:// or rfc2217://
  // names), offered beside the local serial ports.
  std::vector<std::string> network_ports;
  int energy_min_db = -96;  // lowest level the meter shows
  // Threshold offsets of the compressor, limiter and noise gate encodings.
  std::uint32_t drc_offset = 0;
  std::uint32_t limit_offset = 0;
  std::uint32_t noisegate_offset = 0;
};

}  // namespace dsp
