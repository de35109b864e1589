#include "terminal_support.h"

#include <thread>

namespace dsp::test {

Bytes ReadFor(CSerialPort& line, std::size_t count, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  Bytes got;
  std::uint8_t buffer[1024];
  while (got.size() < count && line.IsOpen() && std::chrono::steady_clock::now() < deadline) {
    const std::size_t n = line.Read(buffer);
    got.insert(got.end(), buffer, buffer + n);
    if (n == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return got;
}

}  // namespace dsp::test
