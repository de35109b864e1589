// The daemon's small pieces: its command line and the write schedule.

#include <gtest/gtest.h>

#include "cli/cli_failure.h"
#include "serve/serve_options.h"
#include "serve/write_schedule.h"

namespace dsp {
namespace {

TEST(ServeOptions, ListenAddressAndWhatNeedsAToken) {
  const ServeOptions plain = ParseServeOptions({"--simulate", "Hall:2x2"});
  EXPECT_EQ(plain.http.host, "127.0.0.1");
  EXPECT_EQ(plain.http.port, 8780);
  const ServeOptions v6 = ParseServeOptions({"--port", "/dev/ttyUSB0", "--listen", "[::]:9000"});
  EXPECT_EQ(v6.http.host, "::");
  EXPECT_EQ(v6.http.port, 9000);

  const std::vector<std::vector<std::string>> refused = {
      {"--simulate", "Hall:2x2", "--listen", "0.0.0.0:x"},
      {"--simulate", "Hall:2x2", "--port", "/dev/ttyUSB0"},
      {"--simulate", "Hall:2x2", "--listen", "8780"},
      {"--simulate", "Hall:2x2", "--listen", "0.0.0.0:65536"},
      {"--simulate", "Hall:2x2", "scan"},
  };
  for (const auto& args : refused) EXPECT_THROW(ParseServeOptions(args), UsageError) << args.back();

  for (const char* host : {"127.0.0.1", "127.8.0.1", "::1", "localhost"}) EXPECT_FALSE(ReachableFromOtherHosts(host));
  for (const char* host : {"0.0.0.0", "::", "192.168.1.20", "1127.0.0.1"}) EXPECT_TRUE(ReachableFromOtherHosts(host));
}

// A fader dragged through many values becomes one write per target, sent
// 100 ms after the last change.
TEST(WriteSchedule, ABurstToOneTargetBecomesOneWriteAfterTheLastChange) {
  WriteSchedule schedule;
  const WriteId gain = WriteId::GainMute(1, 0, 1);
  const WriteId row = WriteId::MatrixRow(0, 1, 1);
  for (int ms = 0; ms <= 90; ms += 30) schedule.Schedule(gain, ms);
  schedule.Schedule(row, 50);
  EXPECT_TRUE(schedule.TakeDue(149).empty());
  EXPECT_EQ(schedule.TakeDue(150), std::vector<WriteId>{row});
  EXPECT_TRUE(schedule.TakeDue(189).empty());
  EXPECT_EQ(schedule.TakeDue(190), std::vector<WriteId>{gain});
  EXPECT_TRUE(schedule.Empty());
  schedule.Schedule(gain, 500);
  EXPECT_EQ(schedule.TakeAll(), std::vector<WriteId>{gain});
  EXPECT_TRUE(schedule.TakeDue(10'000).empty());
}

}  // namespace
}  // namespace dsp
