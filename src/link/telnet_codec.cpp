#include "link/telnet_codec.h"

namespace dsp {
namespace {

constexpr std::uint8_t kIac = 0xFF;
constexpr std::uint8_t kDont = 0xFE;
constexpr std::uint8_t kDo = 0xFD;
constexpr std::uint8_t kWont = 0xFC;
constexpr std::uint8_t kWill = 0xFB;
constexpr std::uint8_t kSb = 0xFA;
constexpr std::uint8_t kSe = 0xF0;

constexpr std::uint8_t kBinary = 0;
constexpr std::uint8_t kComPort = 44;

// The client's COM-port commands and the values the bus needs.
constexpr std::uint8_t kSetBaudrate = 1;
constexpr std::uint8_t kSetDatasize = 2;
constexpr std::uint8_t kSetParity = 3;
constexpr std::uint8_t kSetStopsize = 4;
constexpr std::uint8_t kSetControl = 5;
constexpr std::uint8_t kDataBits8 = 8;
constexpr std::uint8_t kParityNone = 1;
constexpr std::uint8_t kStopBits1 = 1;
constexpr std::uint8_t kNoFlowControl = 1;

void AppendEscaped(Bytes& out, std::uint8_t byte) {
  out.push_back(byte);
  if (byte == kIac) out.push_back(kIac);
}

void AppendComPortCommand(Bytes& out, std::uint8_t command, ByteView value) {
  out.insert(out.end(), {kIac, kSb, kComPort, command});
  for (std::uint8_t byte : value) AppendEscaped(out, byte);
  out.insert(out.end(), {kIac, kSe});
}

}  // namespace

Bytes TelnetCodec::Opening(int baud) {
  Bytes out = {kIac, kWill, kComPort, kIac, kWill, kBinary, kIac, kDo, kBinary};
  const auto rate = static_cast<std::uint32_t>(baud);
  const Bytes rate_bytes = {static_cast<std::uint8_t>(rate >> 24), static_cast<std::uint8_t>(rate >> 16),
                            static_cast<std::uint8_t>(rate >> 8), static_cast<std::uint8_t>(rate)};
  AppendComPortCommand(out, kSetBaudrate, rate_bytes);
  AppendComPortCommand(out, kSetDatasize, Bytes{kDataBits8});
  AppendComPortCommand(out, kSetParity, Bytes{kParityNone});
  AppendComPortCommand(out, kSetStopsize, Bytes{kStopBits1});
  AppendComPortCommand(out, kSetControl, Bytes{kNoFlowControl});
  return out;
}

Bytes TelnetCodec::Escape(ByteView data) {
  Bytes out;
  out.reserve(data.size());
  for (std::uint8_t byte : data) AppendEscaped(out, byte);
  return out;
}

std::size_t TelnetCodec::DataSent(ByteView data, std::size_t sent) {
  std::size_t whole = 0;
  std::size_t wire = 0;
  for (std::uint8_t byte : data) {
    wire += byte == kIac ? 2 : 1;
    if (wire > sent) break;
    ++whole;
  }
  return whole;
}

// The options the client offered in its opening are taken as agreed without
// an answer (answering an agreement again would start a loop); any other
// option the server asks for or offers is refused.
void TelnetCodec::TakeOption(std::uint8_t option, Bytes& answers) const {
  const bool ours = option == kBinary || (option == kComPort && verb_ == kDo);
  if (ours) return;
  if (verb_ == kDo) answers.insert(answers.end(), {kIac, kWont, option});
  if (verb_ == kWill) answers.insert(answers.end(), {kIac, kDont, option});
}

Bytes TelnetCodec::Unescape(ByteView received, Bytes& answers) {
  Bytes data;
  data.reserve(received.size());
  for (std::uint8_t byte : received) {
    switch (state_) {
      case State::kData:
        if (byte == kIac) {
          state_ = State::kCommand;
        } else {
          data.push_back(byte);
        }
        break;
      case State::kCommand:
        state_ = State::kData;
        if (byte == kIac) {
          data.push_back(byte);
        } else if (byte >= kWill) {
          verb_ = byte;
          state_ = State::kOption;
        } else if (byte == kSb) {
          state_ = State::kSubnegotiation;
        }
        break;
      case State::kOption:
        TakeOption(byte, answers);
        state_ = State::kData;
        break;
      case State::kSubnegotiation:
        if (byte == kIac) state_ = State::kSubnegotiationCommand;
        break;
      case State::kSubnegotiationCommand:
        state_ = byte == kSe ? State::kData : State::kSubnegotiation;
        break;
    }
  }
  return data;
}

}  // namespace dsp
