#pragma once

// The Telnet side of a device server with COM-port control: the opening that
// tells the server the line settings (the bit rate, 8 data bits, no parity,
// one stop bit, no flow control) and asks for a binary stream both ways, the
// doubling of 0xFF in what is sent, and the undoing of it in what arrives,
// where the server's own commands and option talk are taken out. A pure byte
// transformer: the network port does the sending.

#include <cstddef>
#include <cstdint>

#include "link/bytes.h"

namespace dsp {

class TelnetCodec {
 public:
  // What the client sends first, before any data.
  static Bytes Opening(int baud);
  // The data as it goes on the wire: every 0xFF doubled.
  static Bytes Escape(ByteView data);
  // How many bytes of `data` went out whole when `sent` bytes of its escaped
  // form were written.
  static std::size_t DataSent(ByteView data, std::size_t sent);

  // The data among the received bytes. Answers the server's option requests
  // owe are appended to `answers`. A command cut between two reads is
  // finished by the next.
  Bytes Unescape(ByteView received, Bytes& answers);

 private:
  enum class State { kData, kCommand, kOption, kSubnegotiation, kSubnegotiationCommand };
  void TakeOption(std::uint8_t option, Bytes& answers) const;

  State state_ = State::kData;
  std::uint8_t verb_ = 0;
};

}  // namespace dsp
