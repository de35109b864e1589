#include "link/reconnect.h"

#include <gtest/gtest.h>

namespace dsp {
namespace {

// Ticks of 200 ms, as the window's timer gives them, until a port is due.
int TicksUntilDue(Reconnect& reconnect, int limit) {
  for (int tick = 1; tick <= limit; ++tick) {
    if (reconnect.Tick(200)) return tick;
  }
  return 0;
}

TEST(Reconnect, ALostNetworkPortFallsDueEveryFewSecondsUntilAnAttemptSucceeds) {
  const std::string port = "tcp://127.0.0.1:4001";
  Reconnect reconnect;
  reconnect.Lost(port);
  ASSERT_TRUE(reconnect.Retrying());
  EXPECT_EQ(TicksUntilDue(reconnect, 100), Reconnect::kRetryMs / 200);
  EXPECT_FALSE(reconnect.Retrying()) << "one attempt at a time: the owner opens it and reports a failure";
  EXPECT_EQ(TicksUntilDue(reconnect, 100), 0);

  reconnect.Lost(port);
  EXPECT_EQ(reconnect.Tick(Reconnect::kRetryMs - 1), std::nullopt);
  EXPECT_EQ(reconnect.Tick(1), port);
}

TEST(Reconnect, LocalPortsUnreadableNamesAndForgottenOnesAreNotTried) {
  Reconnect reconnect;
  for (const char* port : {"/dev/ttyUSB0", "tcp://127.0.0.1", "xyz://host:1"}) {
    reconnect.Lost(port);
    EXPECT_FALSE(reconnect.Retrying()) << port;
  }
  reconnect.Lost("rfc2217://[::1]:4001");
  EXPECT_TRUE(reconnect.Retrying());
  reconnect.Forget();
  EXPECT_EQ(TicksUntilDue(reconnect, 100), 0);
}

}  // namespace
}  // namespace dsp
