#include "protocol/replies.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "link/frame.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

bool Has(ByteView reply, std::uint8_t cmd, std::size_t length) {
  return reply.size() == length && reply[kOffsetLength] == length && reply[kOffsetCommand] == cmd;
}

bool HasEither(ByteView reply, std::uint8_t a, std::uint8_t b, std::size_t length) {
  return Has(reply, a, length) || Has(reply, b, length);
}

bool HasAtLeast(ByteView reply, std::uint8_t cmd, std::size_t length) {
  return reply.size() >= length && reply[kOffsetLength] == reply.size() && reply[kOffsetCommand] == cmd;
}

int U16(ByteView bytes, std::size_t at) { return bytes[at] | (bytes[at + 1] << 8); }

int S16(ByteView bytes, std::size_t at) { return static_cast<std::int16_t>(U16(bytes, at)); }

int S8(std::uint8_t byte) { return static_cast<std::int8_t>(byte); }

int ClampedFrequency(int hz) { return std::clamp(hz, 20, 20000); }

// The processor sends gains in one of two encodings: tenths of a dB above
// 2000 (the one the host writes), or a coarse byte with 100 as 0 dB.
int DecodeGain(int raw16, bool fine) { return fine ? (raw16 - 2000) * 10 : ((raw16 & 0xFF) - 100) * 64; }

constexpr std::size_t kEqRecords = 16;
constexpr std::size_t kEqRecordBytes = 10;

// Where the reply to a request with this command names its channel.
std::vector<std::size_t> ChannelOffsets(std::uint8_t cmd) {
  switch (cmd) {
    case command::kInputDelay:
    case command::kOutputDelay:
    case command::kNoiseGate:
    case command::kInputGain:
    case command::kCompressor:
    case command::kLimiter:
    case command::kInputPolarity:
    case command::kOutputPolarity:
    case command::kMatrixRow:
      return {kOffsetPayload};
    case command::kOutputFilter:
      return {kOffsetPayload + 1};
    case command::kInputEq:
    case command::kOutputEq: {
      std::vector<std::size_t> offsets;
      for (std::size_t r = 0; r < kEqRecords; ++r) offsets.push_back(kOffsetPayload + kEqRecordBytes * r);
      return offsets;
    }
    default:
      return {};
  }
}

}  // namespace

bool ReplyNamesRequestedItem(ByteView request, ByteView reply) {
  if (request.size() < kMinFrameLength || reply.size() < kMinFrameLength) return false;
  const std::uint8_t cmd = request[kOffsetCommand];
  if (reply[kOffsetCommand] != cmd) return false;
  const std::vector<std::size_t> offsets = ChannelOffsets(cmd);
  if (offsets.empty()) return true;
  if (request.size() <= kOffsetPayload + 1) return false;
  const std::uint8_t channel = request[kOffsetPayload];
  return std::all_of(offsets.begin(), offsets.end(),
                     [&](std::size_t at) { return at + 1 < reply.size() && reply[at] == channel; });
}

bool StoreDelayReply(ByteView reply, int side, DeviceRecord& record) {
  if (!HasEither(reply, command::kInputDelay, command::kOutputDelay, 10)) return false;
  const int ch = reply[5];
  record.SetDelayEnable(side, ch, reply[6] != 0);
  record.SetDelay(side, ch, U16(reply, 7));
  return true;
}

bool StorePresetNameReply(ByteView reply, int preset, DeviceRecord& record) {
  if (!HasAtLeast(reply, command::kPresetName, 27)) return false;
  const auto text = reply.subspan(6, std::min(kPresetNameChars, reply.size() - 7));
  const auto end = std::find(text.begin(), text.end(), std::uint8_t{0});
  record.SetPresetName(preset, std::string(text.begin(), end));
  return true;
}

bool StoreEqReply(ByteView reply, int side, int first_band, DeviceRecord& record) {
  if (!HasEither(reply, command::kInputEq, command::kOutputEq, 166)) return false;
  for (int r = 0; r < 16; ++r) {
    const int band = first_band + r;
    if (band >= 31) continue;
    const ByteView rec = reply.subspan(5 + 10 * static_cast<std::size_t>(r), 10);
    const int ch = rec[0];
    const int type = rec[9];
    record.SetEqualizerEnable(side, ch, band, rec[2] != 0);
    record.SetEqualizerGain(side, ch, band, U16(rec, 3) - 25600);
    record.SetEqualizerFrequence(side, ch, band, ClampedFrequency(U16(rec, 5)));
    record.SetEqualizerQ(side, ch, band, std::clamp(U16(rec, 7), 50, 12800));
    record.SetEqualizerType(side, ch, band, type == 0 || type == 255 ? 1 : type);
  }
  return true;
}

bool StoreNoiseGateReply(ByteView reply, DeviceRecord& record, const Configuration& config) {
  if (!Has(reply, command::kNoiseGate, 10)) return false;
  const int ch = reply[5];
  const int offset = static_cast<int>(config.noisegate_offset);
  record.SetNoiseGateEnable(ch, reply[6] != 0);
  record.SetNoiseGateStartGate(ch, reply[7] - 200 - offset);
  record.SetNoiseGateReleaseGate(ch, reply[8] - 200 - offset);
  return true;
}

bool StoreInputGainReply(ByteView reply, DeviceRecord& record) {
  if (!Has(reply, command::kInputGain, 11)) return false;
  const int ch = reply[5];
  const bool fine = reply[7] != 0;
  const int raw = fine ? S8(reply[9]) * 256 + reply[8] : reply[8];
  record.SetMute(0, ch, reply[6] != 0);
  record.SetGain(0, ch, DecodeGain(raw, fine));
  return true;
}

bool StoreFilterReply(ByteView reply, int filter, DeviceRecord& record) {
  if (!Has(reply, command::kOutputFilter, 12)) return false;
  const int ch = reply[6];
  const int shape = reply[8] == 0xFF ? 0 : reply[8];
  const int type = shape >> 4;
  const int slope = (shape >> 1) & 7;
  record.SetFilterEnable(1, ch, filter, reply[7] != 0);
  record.SetFilterType(1, ch, filter, type);
  record.SetFilterSlope(1, ch, filter, type == 2 ? slope * 2 + 1 : slope);
  record.SetFilterFrequence(1, ch, filter, ClampedFrequency(U16(reply, 9)));
  return true;
}

bool StoreCompressorReply(ByteView reply, DeviceRecord& record, const Configuration& config) {
  if (!Has(reply, command::kCompressor, 17)) return false;
  const int ch = reply[5];
  record.SetCompressorEnable(ch, reply[6] != 0);
  record.SetCompressorStartTime(ch, U16(reply, 7));
  record.SetCompressorReleaseTime(ch, U16(reply, 9));
  // The threshold travels as a 16-bit two's complement number; read unsigned
  // it would turn every threshold above the offset into nonsense.
  record.SetCompressorStartGate(ch, -S16(reply, 11) - static_cast<int>(config.drc_offset) * 10);
  record.SetCompressorRatio(ch, U16(reply, 13) / 10);
  return true;
}

bool StoreLimiterReply(ByteView reply, DeviceRecord& record, const Configuration& config) {
  if (!Has(reply, command::kLimiter, 11)) return false;
  const int ch = reply[5];
  record.SetLimitEnable(ch, reply[6] != 0);
  record.SetLimitStartGate(ch, S8(reply[7]) - static_cast<int>(config.limit_offset));
  record.SetLimitReleaseTime(ch, U16(reply, 8));
  return true;
}

bool StoreOutputGainsReply(ByteView reply, DeviceRecord& record) {
  if (!Has(reply, command::kOutputGains, 25)) return false;
  const bool fine = (reply[7] & 1) != 0;
  for (int k = 0; k < 8; ++k) {
    record.SetMute(1, k, ((reply[6] >> k) & 1) != 0);
    record.SetGain(1, k, DecodeGain(U16(reply, 8 + 2 * static_cast<std::size_t>(k)), fine));
  }
  return true;
}

bool StorePolarityReply(ByteView reply, int side, DeviceRecord& record) {
  if (!HasEither(reply, command::kInputPolarity, command::kOutputPolarity, 9)) return false;
  record.SetPolarity(side, reply[5], reply[7] != 0);
  return true;
}

bool StoreMatrixRowReply(ByteView reply, DeviceRecord& record) {
  if (!Has(reply, command::kMatrixRow, 25)) return false;
  // A row in the other format carries nothing the host keeps, but it still
  // answers the request.
  if ((reply[7] & 1) != 0) return true;
  const int input = reply[5];
  for (int k = 0; k < 8; ++k) {
    record.SetRouter(input, k, U16(reply, 8 + 2 * static_cast<std::size_t>(k)));
    record.SetRouterEnable(input, k, ((reply[6] >> k) & 1) == 0);
  }
  return true;
}

}  // namespace dsp
