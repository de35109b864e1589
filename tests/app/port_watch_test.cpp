// The comparing port watch (the one a system without udev uses) over real
// pseudo-terminals: dspsim's port showing up in a device folder and going
// away again is noticed, and the port the window has open is left alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/child_process.h"
#include "../support/temp_dir.h"
#include "app/polling_port_watch.h"
#include "link/bus_port.h"
#include "platform/testing/ui_harness.h"

namespace dsp::test {
namespace {

TEST(PollingPortWatchTest, APortComingAndGoingIsNoticedAndThePortInUseIsNotOpened) {
  UiHarness harness{[](const std::string& message) { ADD_FAILURE() << message; }};
  dsp::testing::TempDir dir;
  const std::string port = dir.File("ttyUSB0");
  std::vector<PortChange> changes;
  std::string in_use;
  PollingPortWatch watch([&changes](const PortChange& change) { changes.push_back(change); },
                         {kDefaultBaud, [&in_use] { return in_use; }}, dir.path().string());
  constexpr int kPeriod = PollingPortWatch::kPeriodMs;
  {
    dsp::testing::SimProgram dspsim({"--devices", "Desk:2x2", "--link", port}, dir.File("dspsim.err"));
    ASSERT_FALSE(dspsim.path().empty()) << dspsim.Errors();
    harness.Advance(kPeriod - 1);
    EXPECT_TRUE(changes.empty()) << "looked before its period";
    harness.Advance(1);
    ASSERT_EQ(changes, (std::vector<PortChange>{{PortChange::Kind::kArrival, port}}));

    // The window holds its port exclusively: nobody else can open it. (Root
    // is let through such a hold, so the test plays it by pointing the port
    // at a file that opens as no port.)
    in_use = port;
    std::filesystem::remove(port);
    std::filesystem::create_symlink(dir.Write("held", std::string()), port);
    harness.Advance(3 * kPeriod);
    EXPECT_EQ(changes.size(), 1u) << "the port in use counts as there";
    in_use.clear();
    dspsim.Stop();
  }
  harness.Advance(kPeriod);
  EXPECT_EQ(changes, (std::vector<PortChange>{{PortChange::Kind::kArrival, port}, {PortChange::Kind::kRemoval, port}}));
}

}  // namespace
}  // namespace dsp::test
