// A session against simulated processors behind a pseudo-terminal, in
// process: what happens when frames cannot be put on the wire.

#include "cli/session.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/procedure_runs.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

// Writes that never left the host used to be reported as done, and a preset
// recall whose frame never left it as recalled.
TEST(SessionOnAClosedPort, FramesThatDidNotGoOutFailTheCommand) {
  GlobalOptions options;
  options.simulate = {{"Desk", 1, 1}};
  options.scan_time_ms = 1000;
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  SteadyLoopClock clock;
  Console console(out, err, false, false, clock);
  {
    Session session(options, console);
    session.Scan();
    ASSERT_EQ(AddressList(session.devices()), "1");
    session.link().Close();
    const std::string port = session.port();
    struct Case {
      const char* what;
      std::function<void()> run;
      std::string failure;
    };
    const Case cases[] = {
        {"preset save", [&] { session.SendAndWait(PresetSaveFrame(1, 3), "the preset save"); },
         "1 frame of the preset save did not go out on " + port +
             ": check the adapter and the cabling, then try again"},
        {"write-all", [&] { RunWriteAll(session, 1); },
         "frames of the write to the processor at address 1 did not go out"},
        // The read-back alone would have reported the old settings as recalled.
        {"recall", [&] { RecallAndReadBack(session, 1, 3, "Loading effect..."); },
         "1 frame of the preset recall did not go out on " + port},
    };
    for (const Case& k : cases) {
      try {
        k.run();
        ADD_FAILURE() << "a " << k.what << " that did not go out was taken for done";
      } catch (const CliFailure& failure) {
        EXPECT_NE(std::string(failure.what()).find(k.failure), std::string::npos) << failure.what();
      }
    }
  }
  std::fclose(out);
  std::fclose(err);
}

// A name finds the one processor that has it; a shared name finds none, since
// the first of them may be the wrong unit.
TEST(FindDevice, ByNameOnlyWhenTheNameIsUnique) {
  DeviceList devices;
  devices.emplace_back(1, ChipIdBytes{1}, 2, 2, "Hall");
  devices.emplace_back(2, ChipIdBytes{2}, 2, 2, "Stage");
  devices.emplace_back(3, ChipIdBytes{3}, 2, 2, "Hall");
  devices.emplace_back(4, ChipIdBytes{4}, 2, 2, "Hall ");
  const struct {
    const char* name;
    int address;  // 0: none
  } found[] = {{"Stage", 2}, {"Hall ", 4}, {"stage", 0}, {"Lobby", 0}};
  for (const auto& k : found) {
    const DeviceRecord* device = FindDevice(devices, DeviceRef{0, std::nullopt, k.name});
    EXPECT_EQ(device == nullptr ? 0 : device->Address(), k.address) << k.name;
  }
  try {
    FindDevice(devices, DeviceRef{0, std::nullopt, "Hall"});
    ADD_FAILURE() << "a shared name was taken for one processor";
  } catch (const CliFailure& failure) {
    EXPECT_EQ(std::string(failure.what()),
              "more than one processor is named \"Hall\" (addresses 1, 3): name it by its chip ID instead (see "
              "'dspctl scan')");
  }
}

}  // namespace
}  // namespace dsp
