#pragma once

// The long device procedures as dspctl runs them: the procedure driver
// ticked by the tool's own loop at the period it asks for, with progress on
// standard error. A procedure that fails throws CliFailure.

#include <functional>
#include <string>

#include "cli/session.h"
#include "protocol/procedure_driver.h"

namespace dsp {

// Ticks a started driver at its period until it ends. `on_tick` runs after
// every tick that leaves it running; when it returns false the procedure is
// abandoned and counts as failed.
ProcedureEnd DriveProcedure(Session& session, ProcedureDriver& driver, const std::function<bool()>& on_tick);

// Reads every parameter of the processor at `address` into its record after
// `start_delay_ms`. A non-empty `settle_label` shows the delay as a phase of
// its own (the processor settling after a recall).
void RunReadAll(Session& session, int address, int start_delay_ms, const std::string& settle_label = "");

// Writes the whole record of the processor at `address` to it.
void RunWriteAll(Session& session, int address);

}  // namespace dsp
