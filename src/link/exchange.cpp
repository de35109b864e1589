#include "link/exchange.h"

#include <algorithm>
#include <array>
#include <optional>

#include "link/frame.h"
#include "link/wire_commands.h"

namespace dsp {
namespace {

bool IsScanAsk(ByteView request) {
  return request[kOffsetKind] == kKindDiscovery && request[kOffsetCommand] == command::kScanAsk;
}

bool IsScanStart(ByteView request) {
  return request[kOffsetKind] == kKindDiscovery && request[kOffsetCommand] == command::kScanStart;
}

enum class Attempt { kAnswered, kFailed };

bool WaitsOutLateAnswers(ByteView request) {
  return request[kOffsetKind] == kKindRequest && request[kOffsetCommand] != command::kLevelPoll;
}

// A chattering line cannot hold the exchange up for longer than this.
constexpr int kDrainReadLimit = 8;

std::optional<ByteView> MatchingReply(ByteView request, ByteView received) {
  if (received.size() < kMinFrameLength) return std::nullopt;
  const auto reply = FindReplyFrame(received);
  if (!reply || !ReplyMatches(request, *reply)) return std::nullopt;
  return reply;
}

// Judges what an attempt received by the end of its wait. A matching reply
// is delivered; noise after a scan ask delivers the collision marker (the
// attempt still fails).
Attempt JudgeAnswer(ByteView request, ByteView received, const ReplySink& deliver) {
  if (received.empty()) return Attempt::kFailed;
  if (received.size() >= kMinFrameLength) {
    if (auto reply = FindReplyFrame(received)) {
      if (!ReplyMatches(request, *reply)) return Attempt::kFailed;
      deliver(Bytes(reply->begin(), reply->end()));
      return Attempt::kAnswered;
    }
  }
  if (IsScanAsk(request)) deliver(CollisionMarker());
  return Attempt::kFailed;
}

// Awaits the answer for the request's whole wait, reading every few
// milliseconds. A matching reply is delivered as soon as it is complete; the
// rest of the wait is still kept, so the bus runs at the pace it always had;
// the network allowance is not, as it only gives the answer time to travel.
// At most one receive buffer's worth is read.
Attempt AwaitAnswer(ByteView request, int extra_wait_ms, PortIo& port, Sleeper& sleeper, const TraceSink& trace,
                    const ReplySink& deliver) {
  std::array<std::uint8_t, kReceiveBufferSize> buffer{};
  std::size_t got = 0;
  int waited = 0;
  const int pace = AnswerWaitMs(request);
  const int wait = pace + extra_wait_ms;
  while (waited < wait) {
    const int look = std::min(kAnswerLookMs, wait - waited);
    sleeper.SleepMs(look);
    waited += look;
    got += port.Read(std::span(buffer).subspan(got));
    if (auto reply = MatchingReply(request, ByteView(buffer.data(), got))) {
      if (trace) trace(ByteView(buffer.data(), got));
      deliver(Bytes(reply->begin(), reply->end()));
      if (waited < pace) sleeper.SleepMs(pace - waited);
      return Attempt::kAnswered;
    }
  }
  const ByteView received(buffer.data(), got);
  if (got > 0 && trace) trace(received);
  return JudgeAnswer(request, received, deliver);
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

Bytes CollisionMarker() { return BuildFrame(kKindDiscovery, 0x00, command::kScanReAsk); }

Bytes OfflineMarker(std::uint8_t address) {
  Bytes marker = BlankFrame(13, kKindReply, address, command::kLevelPoll);
  for (std::size_t i = 5; i <= 10; ++i) marker[i] = 0xFF;
  SealFrame(marker);
  return marker;
}

bool AwaitsAnswer(ByteView request) {
  const std::uint8_t kind = request[kOffsetKind];
  if (kind != kKindRequest && kind != kKindDiscovery) return false;
  return request[kOffsetCommand] != command::kPresetSave;
}

int AnswerWaitMs(ByteView request) {
  switch (request[kOffsetCommand]) {
    case command::kInputEq:
    case command::kOutputEq:
      return 120;
    case command::kEffectBlock:
      return 60;
    default:
      return 100;
  }
}

ExchangeResult RunExchange(ByteView request, PortIo& port, Sleeper& sleeper, const TraceSink& trace,
                           const ReplySink& deliver, int extra_wait_ms) {
  ExchangeResult result;
  if (request.size() < kMinFrameLength) return result;
  // Nothing answers the scan start, so there is no answer to give time to
  // travel; the allowance would only hold back the scan's asks while the
  // scan's own time runs out.
  if (IsScanStart(request)) extra_wait_ms = 0;
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
    since_first_write_ms += AnswerWaitMs(request) + extra_wait_ms;
    if (AwaitAnswer(request, extra_wait_ms, port, sleeper, trace, deliver) == Attempt::kAnswered) {
      if (unanswered_attempt_written && WaitsOutLateAnswers(request)) {
        // A late answer crosses the network too, so the allowance extends its time.
        sleeper.SleepMs(std::max(0, kLateAnswerMs + extra_wait_ms - since_first_write_ms));
        DrainStrayBytes(port, trace);
      }
      return result;
    }
    unanswered_attempt_written = true;
  }
  if (request[kOffsetCommand] == command::kLevelPoll) deliver(OfflineMarker(request[kOffsetAddress]));
  return result;
}

}  // namespace dsp
