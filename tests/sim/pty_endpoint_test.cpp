// The bus behind a real pseudo-terminal, served in real time.

#include "sim/pty_endpoint.h"

#include <gtest/gtest.h>

#include <thread>

#include "sim_test_support.h"
#include "terminal_support.h"

namespace dsp::test {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<PtyEndpoint> Serve(std::unique_ptr<SimBus> bus) {
  std::string error;
  auto endpoint = PtyEndpoint::Open(std::move(bus), error);
  EXPECT_TRUE(endpoint) << error;
  return endpoint;
}

std::unique_ptr<SimBus> BusOfOne() {
  auto bus = std::make_unique<SimBus>(61);
  bus->Add("Hall", 2, 2).set_address(1);
  return bus;
}

const Bytes kPoll = Frame(0xF7, 1, 0xD0, {0});

TEST(PtyEndpoint, AnswersARequestWrittenToTheTerminal) {
  auto endpoint = Serve(BusOfOne());
  ASSERT_TRUE(endpoint);
  CSerialPort line;
  ASSERT_TRUE(line.Open(endpoint->path())) << line.Error();
  line.Write(kPoll);
  const Bytes reply = ReadFor(line, 28);
  ASSERT_EQ(reply.size(), 28u);
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 5), (Bytes{0xA5, 28, 0xF8, 1, 0xD0}));
  EXPECT_EQ(WithSum(Bytes(reply.begin(), reply.end() - 1)), reply);
  endpoint->WithBus([](SimBus& bus) { EXPECT_EQ(bus.processor(0).handled_frames().size(), 1u); });

  // The host may close the line and open it again.
  line.Close();
  ASSERT_TRUE(line.Open(endpoint->path())) << line.Error();
  line.Write(kPoll);
  EXPECT_EQ(ReadFor(line, 28).size(), 28u);
}

// The host sees the line hang up, as it would see an adapter pulled out.
TEST(PtyEndpoint, HangUpClosesTheTerminal) {
  auto bus = BusOfOne();
  bus->HangUpAfter(1);
  auto endpoint = Serve(std::move(bus));
  ASSERT_TRUE(endpoint);
  CSerialPort line;
  ASSERT_TRUE(line.Open(endpoint->path())) << line.Error();
  line.Write(kPoll);
  EXPECT_EQ(ReadFor(line, 28).size(), 28u);
  line.Write(kPoll);
  EXPECT_TRUE(ReadFor(line, 1).empty());
  EXPECT_FALSE(line.IsOpen());
  EXPECT_TRUE(line.TakeLoss());
  for (int i = 0; i < 300 && !endpoint->IsHungUp(); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(endpoint->IsHungUp());
}

}  // namespace
}  // namespace dsp::test
