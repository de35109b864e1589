#include "protocol/bus_scan.h"

#include <algorithm>

#include "link/frame.h"

namespace dsp {
namespace {

constexpr std::size_t kIdentityLength = 14;
constexpr std::size_t kReAskLength = 6;
constexpr std::size_t kConfirmationLength = 29;

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
  time_left_ms_ = scan_time_ms;
  ask_wait_ms_ = 0;
  assignment_resent_ = false;
  devices_found_ = 0;
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
  collisions_ = 0;  // a fresh broadcast renews the re-asks
  link_.Send(ScanAskFrame());
  state_ = State::kWaitIdentity;
  ask_wait_ms_ = 0;
}

void BusScan::WaitIdentity() {
  const std::optional<Bytes> reply = link_.PopReply();
  if (!reply) {
    ask_wait_ms_ += kTickMs;
    if (ask_wait_ms_ > kAskSilenceMs) {
      state_ = State::kAsk;
      ask_wait_ms_ = 0;
    }
    return;
  }
  if (Is(*reply, kIdentityLength, command::kIdentify)) {
    std::copy_n(reply->begin() + 5, chip_id_.size(), chip_id_.begin());
    collisions_ = 0;
    assignment_resent_ = false;
    SendAssignment();
    state_ = State::kWaitConfirmation;
  } else if (Is(*reply, kReAskLength, command::kScanReAsk)) {
    ++collisions_;
    if (collisions_ <= kReAsksBeforeNewAsk) {
      link_.Send(*reply);
      ask_wait_ms_ = 0;
    } else {
      state_ = State::kAsk;
    }
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
  state_ = State::kAsk;
  return device;
}

void BusScan::SendAssignment() {
  link_.Send(AssignAddressFrame(static_cast<std::uint8_t>(devices_found_ + 1), chip_id_));
}

}  // namespace dsp
