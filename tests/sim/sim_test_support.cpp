#include "sim_test_support.h"

#include <array>

#include "link/crc16.h"

namespace dsp::test {

Bytes WithSum(Bytes frame) {
  unsigned sum = 0;
  for (std::size_t i = 1; i < frame.size(); ++i) sum += frame[i];
  frame.push_back(static_cast<std::uint8_t>(sum));
  return frame;
}

Bytes Frame(std::uint8_t kind, std::uint8_t address, std::uint8_t command, const Bytes& payload) {
  Bytes frame = {0xA5, static_cast<std::uint8_t>(6 + payload.size()), kind, address, command};
  frame.insert(frame.end(), payload.begin(), payload.end());
  return WithSum(frame);
}

Bytes Padded(Bytes bytes, std::size_t size) {
  bytes.resize(size, 0);
  return bytes;
}

Bytes Talk(SimBus& bus, const Bytes& bytes, std::chrono::milliseconds wait) {
  bus.host_port().Write(bytes);
  bus.Advance(wait);
  Bytes all;
  std::array<std::uint8_t, 4096> buffer{};
  for (std::size_t got; (got = bus.host_port().Read(buffer)) > 0;)
    all.insert(all.end(), buffer.begin(), buffer.begin() + got);
  return all;
}

namespace {

Bytes Block(std::uint8_t start, std::uint8_t number, const Bytes& data) {
  Bytes block = {start, number, static_cast<std::uint8_t>(255 - number)};
  block.insert(block.end(), data.begin(), data.end());
  const std::uint16_t crc = Crc16Xmodem(data);
  block.push_back(static_cast<std::uint8_t>(crc >> 8));
  block.push_back(static_cast<std::uint8_t>(crc));
  return block;
}

}  // namespace

Bytes HeaderBlock(const std::string& name, std::size_t size) {
  Bytes data(128, 0);
  std::string text = name.size() < 128 ? name + '\0' : std::string();
  text += std::to_string(size);
  std::copy(text.begin(), text.end(), data.begin());
  return Block(0x01, 0, data);
}

Bytes DataBlock(std::uint8_t number, Bytes data) {
  data.resize(1024, 0x1A);
  return Block(0x02, number, data);
}

}  // namespace dsp::test
