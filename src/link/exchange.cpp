#include "link/exchange.h"

#include <array>

#include "link/frame.h"

namespace dsp {
namespace {

constexpr std::uint8_t kCommandPresetSave = 0x70;
constexpr std::uint8_t kCommandLevelPoll = 0xD0;
constexpr std::uint8_t kCommandEffectBlock = 0xD6;
constexpr std::uint8_t kCommandInputEq = 0x81;
constexpr std::uint8_t kCommandOutputEq = 0xA1;
constexpr std::uint8_t kCommandScanAsk = 0xE1;

bool IsScanAsk(ByteView request) {
  return request[kOffsetKind] == kKindDiscovery && request[kOffsetCommand] == kCommandScanAsk;
}

enum class Attempt { kAnswered, kFailed };

bool WaitsOutLateAnswers(ByteView request) {
  return request[kOffsetKind] == kKindRequest && request[kOffsetCommand] != kCommandLevelPoll;
}

// A chattering line cannot hold the exchange up for longer than this.
constexpr int kDrainReadLimit = 8;

// Judges the bytes of one read. A matching reply is appended to `out`; noise
// after a scan ask appends the collision marker (the attempt still fails).
Attempt JudgeAnswer(ByteView request, ByteView received, std::vector<Bytes>& out) {
  if (received.empty()) return Attempt::kFailed;
  if (received.size() >= kMinFrameLength) {
    if (auto reply = FindReplyFrame(received)) {
      if (ReplyMatches(request, *reply)) {
        out.emplace_back(reply->begin(), reply->end());
        return Attempt::kAnswered;
      }
      return Attempt::kFailed;
    }
  }
  if (IsScanAsk(request)) out.push_back(CollisionMarker());
  return Attempt::kFailed;
}

// Bytes that wait before a request is written answer an earlier one: a late
// answer of the same command (another channel, another effect block) would
// otherwise be taken for this request's, and the procedure would store it in
// this item's place. They go to the trace, as the monitor's reads do.
void DrainStrayBytes(PortIo& port, const TraceSink& trace) {
  std::array<std::uint8_t, kReceiveBufferSize> buffer{};
  for (int read = 0; read < kDrainReadLimit; ++read) {
    const std::size_t got = port.Read(buffer);
    if (got == 0) return;
    if (trace) trace(ByteView(buffer.data(), got));
  }
}

}  // namespace

Bytes CollisionMarker() { return {0xA5, 0x06, 0xF2, 0x00, 0xE3, 0xDB}; }

Bytes OfflineMarker(std::uint8_t address) {
  Bytes marker = BlankFrame(13, kKindReply, address, kCommandLevelPoll);
  for (std::size_t i = 5; i <= 10; ++i) marker[i] = 0xFF;
  SealFrame(marker);
  return marker;
}

bool AwaitsAnswer(ByteView request) {
  const std::uint8_t kind = request[kOffsetKind];
  if (kind != kKindRequest && kind != kKindDiscovery) return false;
  return request[kOffsetCommand] != kCommandPresetSave;
}

int AnswerWaitMs(ByteView request) {
  switch (request[kOffsetCommand]) {
    case kCommandInputEq:
    case kCommandOutputEq:
      return 120;
    case kCommandEffectBlock:
      return 60;
    default:
      return 100;
  }
}

ExchangeResult RunExchange(ByteView request, PortIo& port, Sleeper& sleeper, const TraceSink& trace) {
  ExchangeResult result;
  if (request.size() < kMinFrameLength) return result;
  DrainStrayBytes(port, trace);
  int since_first_write_ms = 0;
  bool unanswered_attempt_written = false;
  for (int attempt = 1; attempt <= kExchangeAttempts; ++attempt) {
    if (attempt > 1) {
      sleeper.SleepMs(kRetryPauseMs);
      if (unanswered_attempt_written) since_first_write_ms += kRetryPauseMs;
    }
    if (port.Write(request) != request.size()) continue;
    result.written = true;
    if (!AwaitsAnswer(request)) return result;
    sleeper.SleepMs(AnswerWaitMs(request));
    since_first_write_ms += AnswerWaitMs(request);
    std::array<std::uint8_t, kReceiveBufferSize> buffer{};
    const std::size_t got = port.Read(buffer);
    const ByteView received(buffer.data(), got);
    if (got > 0 && trace) trace(received);
    if (JudgeAnswer(request, received, result.replies) == Attempt::kAnswered) {
      if (unanswered_attempt_written && WaitsOutLateAnswers(request)) {
        sleeper.SleepMs(kLateAnswerMs - since_first_write_ms);
        DrainStrayBytes(port, trace);
      }
      return result;
    }
    unanswered_attempt_written = true;
  }
  if (request[kOffsetCommand] == kCommandLevelPoll) result.replies.push_back(OfflineMarker(request[kOffsetAddress]));
  return result;
}

}  // namespace dsp
