// A session against simulated processors behind a pseudo-terminal, in
// process: what happens when frames cannot be put on the wire.

#include "cli/session.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "cli/cli_failure.h"
#include "cli/procedure_runs.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

// Writes that never left the host used to be reported as done.
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
    try {
      session.SendAndWait(PresetSaveFrame(1, 3), "the preset save");
      ADD_FAILURE() << "a frame that did not go out was taken for sent";
    } catch (const CliFailure& failure) {
      EXPECT_EQ(std::string(failure.what()), "1 frame of the preset save did not go out on " + session.port() +
                                                 ": check the adapter and the cabling, then try again");
    }
    try {
      RunWriteAll(session, 1);
      ADD_FAILURE() << "a write-all that did not go out was taken for done";
    } catch (const CliFailure& failure) {
      EXPECT_NE(std::string(failure.what()).find("frames of the write to the processor at address 1 did not go out"),
                std::string::npos)
          << failure.what();
    }
  }
  std::fclose(out);
  std::fclose(err);
}

}  // namespace
}  // namespace dsp
