#include "protocol/bus_scan.h"

#include <algorithm>

#include "link/frame.h"
#include "model/configuration.h"

namespace dsp {
namespace {

constexpr std::size_t kIdentityLength = 14;
constexpr std::size_t kReAskLength = 6;
constexpr std::size_t kConfirmationLength = 29;
// A suggested scan time is a whole number of these.
constexpr int kSuggestionStepMs = 5000;

bool Is(const Bytes& reply, std::size_t length, std::uint8_t cmd) {
  return reply.size() == length && reply[kOffsetLength] == length && reply[kOffsetCommand] == cmd;
}

std::string NameField(const Bytes& reply) {
  const auto begin = reply.begin() + 6;
  const auto end = std::find(begin, begin + kNameBytes, std::uint8_t{0});
  return std::string(begin, end);
}

}  // namespace

void BusScan::Start(int scan_time_ms) {
  link_.Send(ScanStartFrame());
  phase_ = Phase::kSettleFirst;
  state_ = State::kAsk;
  scan_time_ms_ = scan_time_ms;
  time_left_ms_ = scan_time_ms;
  ask_wait_ms_ = 0;
  assignment_resent_ = false;
  devices_found_ = 0;
  answering_ = false;
  ran_out_ = false;
  last_find_ms_ = 0;
}

int BusScan::LongerScanTimeMs() const {
  const std::int64_t pace_ms = devices_found_ > 0 ? last_find_ms_ / devices_found_ : scan_time_ms_;
  const std::int64_t wanted = std::max<std::int64_t>(2LL * scan_time_ms_, pace_ms * 2 * (devices_found_ + 1));
  const std::int64_t rounded = (wanted + kSuggestionStepMs - 1) / kSuggestionStepMs * kSuggestionStepMs;
  return static_cast<int>(std::min<std::int64_t>(rounded, kLongestScanMs));
}

int BusScan::NextTickMs() const {
  return phase_ == Phase::kSettleFirst || phase_ == Phase::kSettleSecond ? kSettleMs : kTickMs;
}

std::optional<DiscoveredDevice> BusScan::Tick() {
  switch (phase_) {
    case Phase::kSettleFirst:
      link_.Send(ScanStartFrame());
      phase_ = Phase::kSettleSecond;
      return std::nullopt;
    case Phase::kSettleSecond:
      phase_ = Phase::kScanning;
      return std::nullopt;
    case Phase::kScanning:
      break;
    case Phase::kIdle:
    case Phase::kFinished:
      return std::nullopt;
  }
  if (time_left_ms_ <= 0) {
    phase_ = Phase::kFinished;
    ran_out_ = true;
    return std::nullopt;
  }
  time_left_ms_ -= kTickMs;
  switch (state_) {
    case State::kAsk:
      Ask();
      return std::nullopt;
    case State::kWaitIdentity:
      WaitIdentity();
      return std::nullopt;
    case State::kWaitConfirmation:
      return WaitConfirmation();
  }
  return std::nullopt;
}

void BusScan::Ask() {
  collisions_ = 0;
  silent_re_asks_ = 0;
  re_asked_ = false;
  cycle_answered_ = false;
  link_.Send(ScanAskFrame());
  state_ = State::kWaitIdentity;
  ask_wait_ms_ = 0;
}

void BusScan::ReAsk() {
  link_.Send(ScanReAskFrame());
  re_asked_ = true;
  ask_wait_ms_ = 0;
}

void BusScan::WaitIdentity() {
  std::optional<Bytes> reply = link_.PopReply();
  bool collided = false;
  while (reply && Is(*reply, kReAskLength, command::kScanReAsk)) {
    collided = true;
    reply = link_.PopReply();
  }
  if (reply && Is(*reply, kIdentityLength, command::kIdentify)) {
    TakeIdentity(*reply);
  } else if (collided) {
    TakeCollision();
  } else if (!reply) {
    TakeSilence();
  }
}

void BusScan::TakeIdentity(const Bytes& reply) {
  std::copy_n(reply.begin() + 5, chip_id_.size(), chip_id_.begin());
  cycle_answered_ = answering_ = true;
  collisions_ = 0;
  assignment_resent_ = false;
  SendAssignment();
  state_ = State::kWaitConfirmation;
}

void BusScan::TakeCollision() {
  cycle_answered_ = answering_ = true;
  if (++collisions_ <= kReAsksBeforeNewAsk) {
    ReAsk();
  } else {
    state_ = State::kAsk;
  }
}

void BusScan::TakeSilence() {
  // Every unaddressed processor that hears an ask answers it (together, or
  // the first to begin alone), and the link has ended the ask's exchange by
  // the next tick: silence then means none is left to find.
  if (!re_asked_ && !cycle_answered_) answering_ = false;
  if (re_asked_ && silent_re_asks_ < kSilentReAsks) {
    ++silent_re_asks_;
    ReAsk();
    return;
  }
  ask_wait_ms_ += kTickMs;
  if (ask_wait_ms_ > kAskSilenceMs) {
    state_ = State::kAsk;
    ask_wait_ms_ = 0;
  }
}

std::optional<DiscoveredDevice> BusScan::WaitConfirmation() {
  const std::optional<Bytes> reply = link_.PopReply();
  if (!reply) {
    if (assignment_resent_) {
      state_ = State::kAsk;
    } else {
      assignment_resent_ = true;
      SendAssignment();
    }
    ask_wait_ms_ = 0;
    return std::nullopt;
  }
  const std::uint8_t assigned = static_cast<std::uint8_t>(devices_found_ + 1);
  if (!Is(*reply, kConfirmationLength, command::kAddressConfirmed) || (*reply)[5] != assigned) {
    return std::nullopt;
  }
  DiscoveredDevice device;
  device.address = assigned;
  device.chip_id = chip_id_;
  device.name = NameField(*reply);
  device.inputs = (*reply)[26];
  device.outputs = (*reply)[27];
  ++devices_found_;
  last_find_ms_ = scan_time_ms_ - time_left_ms_;
  // The next ask goes out on the confirmation's own tick: a processor found
  // costs two ticks, not three, which a bus of many needs.
  Ask();
  return device;
}

void BusScan::SendAssignment() {
  link_.Send(AssignAddressFrame(static_cast<std::uint8_t>(devices_found_ + 1), chip_id_));
}

}  // namespace dsp
