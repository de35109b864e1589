#include "cli/procedure_runs.h"

#include "cli/cli_failure.h"
#include "cli/procedure_progress.h"
#include "cli/selected_host.h"
#include "cli/tick_loop.h"

namespace dsp {
namespace {

constexpr int kDelayStepMs = 100;  // the driver counts its start delay down by this per tick
constexpr int kBelowDone = 99;     // a percentage that says "not finished yet"

}  // namespace

ProcedureEnd DriveProcedure(Session& session, ProcedureDriver& driver, const std::function<bool()>& on_tick) {
  ProcedureEnd end = ProcedureEnd::kRunning;
  RunTicks(session.clock(), driver.PeriodMs(), [&]() -> std::optional<int> {
    end = driver.Tick();
    if (end != ProcedureEnd::kRunning) return std::nullopt;
    if (!on_tick()) {
      end = ProcedureEnd::kFailed;
      return std::nullopt;
    }
    return driver.PeriodMs();
  });
  return end;
}

void RunReadAll(Session& session, int address, int start_delay_ms, const std::string& settle_label) {
  ProgressLine& progress = session.console().progress();
  SelectedHost host(session.devices(), address);
  CountingLink link(session.link());
  ProcedureDriver driver(link, host, session.devices(), session.config());
  const int requests = ReadAllRequestCount(session.Device(address));
  const int delay_ticks = settle_label.empty() ? 0 : (start_delay_ms + kDelayStepMs - 1) / kDelayStepMs;
  int ticks = 0;
  progress.Begin(settle_label.empty() ? "Synchronize from device..." : settle_label);
  driver.StartReadAll(start_delay_ms);
  const ProcedureEnd end = DriveProcedure(session, driver, [&] {
    ++ticks;
    if (ticks < delay_ticks) {
      progress.Show(ticks * 100 / delay_ticks);
    } else if (ticks == delay_ticks) {
      progress.Finish();
      progress.Begin("Synchronize from device...");
    } else {
      progress.Show(std::min(kBelowDone, link.Sent() * 100 / requests));
    }
    return true;
  });
  if (end == ProcedureEnd::kFailed) {
    throw CliFailure("Synchronize from device fail: the processor at address " + std::to_string(address) +
                     " stopped answering. Check the cabling and try again.");
  }
  progress.Finish();
  session.Device(address).SetSynchronised(true);
  session.WaitForQuietLink();
}

void RunWriteAll(Session& session, int address) {
  ProgressLine& progress = session.console().progress();
  SelectedHost host(session.devices(), address);
  CountingLink link(session.link());
  ProcedureDriver driver(link, host, session.devices(), session.config());
  const int frames = WriteAllFrameCount(session.Device(address), session.config());
  const LoopClock::Duration started = session.clock().Now();
  const std::uint64_t unsent_before = session.link().UnsentFrames();
  progress.Begin("Synchronize to device...");
  driver.StartWriteAll(static_cast<std::uint8_t>(address));
  DriveProcedure(session, driver, [&] {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(session.clock().Now() - started);
    const int out = EstimatedFramesOut(link.Sent(), elapsed, session.config().baud);
    progress.Show(std::min(kBelowDone, out * 100 / std::max(frames, 1)));
    return true;
  });
  session.RequireSent(unsent_before, "the write to the processor at address " + std::to_string(address));
  progress.Finish();
}

}  // namespace dsp
