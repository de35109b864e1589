#include "sim/sim_faults.h"

#include <vector>

#include "link/frame.h"
#include "sim/sim_commands.h"

namespace dsp {
namespace {

constexpr std::size_t kEqRecords = 16;
constexpr std::size_t kEqRecordBytes = 10;

// Where a reply names the channel it describes: byte 5 of most channel
// reads, byte 6 of the output filter read, the first byte of every band
// record of an equaliser read. Nothing for the other answers.
std::vector<std::size_t> ChannelBytes(ByteView frame) {
  constexpr std::size_t kFirst = kOffsetPayload;
  switch (frame[kOffsetCommand]) {
    case sim_cmd::kReadInputDelay:
    case sim_cmd::kReadOutputDelay:
    case sim_cmd::kReadNoiseGate:
    case sim_cmd::kReadInputGain:
    case sim_cmd::kReadCompressor:
    case sim_cmd::kReadLimiter:
    case sim_cmd::kReadInputPolarity:
    case sim_cmd::kReadOutputPolarity:
    case sim_cmd::kReadMatrixRow:
      return {kFirst};
    case sim_cmd::kReadOutputFilter:
      return {kFirst + 1};
    case sim_cmd::kReadInputEq:
    case sim_cmd::kReadOutputEq: {
      std::vector<std::size_t> at;
      for (std::size_t r = 0; r < kEqRecords; ++r) at.push_back(kFirst + kEqRecordBytes * r);
      return at;
    }
    default:
      return {};
  }
}

// One byte from the address on: the frame still looks like a frame of its
// length, and its checksum can no longer hold.
void DamageOneByte(Bytes& frame, SimRandom& random) {
  const std::size_t at = kOffsetAddress + random.Below(frame.size() - kOffsetAddress);
  frame[at] ^= static_cast<std::uint8_t>(1 + random.Below(255));
}

// A byte that names the answer goes up by some amount and another byte
// between the address and the checksum goes down by as much: the sum, and
// so the checksum, is unchanged. Damage confined to value bytes is left
// out: no check of the host could tell it from values the processor holds.
void DamageKeepingTheSum(Bytes& frame, SimRandom& random) {
  std::vector<std::size_t> naming = {kOffsetAddress, kOffsetCommand};
  for (std::size_t at : ChannelBytes(frame)) naming.push_back(at);
  const std::size_t raised = naming[random.Below(naming.size())];
  const std::size_t last = frame.size() - 2;
  std::size_t lowered = kOffsetAddress + random.Below(last - kOffsetAddress);
  if (lowered >= raised) ++lowered;
  const auto amount = static_cast<std::uint8_t>(1 + random.Below(255));
  frame[raised] = static_cast<std::uint8_t>(frame[raised] + amount);
  frame[lowered] = static_cast<std::uint8_t>(frame[lowered] - amount);
}

}  // namespace

std::optional<Transmission> ApplyAnswerFaults(Transmission answer, const SimFaults& faults, SimRandom& random) {
  if (random.Chance(faults.drop)) return std::nullopt;
  Bytes& frame = answer.bytes;
  if (random.Chance(faults.wrong_address)) {
    ++frame[kOffsetAddress];
    SealFrame(frame);
  }
  if (random.Chance(faults.garble)) {
    if (random.Chance(faults.garble_keeps_sum)) {
      DamageKeepingTheSum(frame, random);
    } else {
      DamageOneByte(frame, random);
    }
  }
  if (random.Chance(faults.late)) {
    const auto spread = static_cast<std::uint64_t>(kLateAnswerMaxUs - kLateAnswerMinUs + 1);
    answer.start_us += kLateAnswerMinUs + static_cast<std::int64_t>(random.Below(spread)) - kTurnaroundUs;
  }
  return answer;
}

}  // namespace dsp
