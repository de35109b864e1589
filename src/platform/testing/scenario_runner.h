#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/testing/scenario.h"
#include "platform/testing/scripted_dialogs.h"
#include "platform/testing/ui_driver.h"
#include "platform/ui_setup.h"

namespace dsp {

class Window;

// Runs a scenario against the windows of this process, step by step on the
// toolkit's clock: in real time in the application, in manual time under a
// test harness. An action finishes before the next line runs, including any
// modal dialog it shows that closes by itself; a line ending in "&" lets the
// next lines work inside the dialog it opened. While the script runs, its
// "answer" lines answer the message boxes and file dialogs.
class ScenarioRunner {
 public:
  // A line without "&" whose dialog has not closed by itself after this
  // long fails the run, naming the dialog (it waits for a user, who is not
  // there: the line needs "&" and the next lines act in the dialog).
  static constexpr std::int64_t kActionLimitMs = 5 * 60 * 1000;
  // How often a "wait-until" looks at its condition again.
  static constexpr std::int64_t kConditionPollMs = 50;

  ScenarioRunner(std::string script_name, std::vector<ScenarioStep> steps);
  ~ScenarioRunner() { *alive_ = false; }
  ScenarioRunner(const ScenarioRunner&) = delete;
  ScenarioRunner& operator=(const ScenarioRunner&) = delete;

  // True when every step passed; otherwise Failure() says where and why.
  bool Run();
  // "script:line: what went wrong", empty after a passing run.
  const std::string& Failure() const { return failure_; }

 private:
  void RunStep(std::size_t index);
  // Runs step `index` when called, unless the runner has gone by then.
  std::function<void()> StepLater(std::size_t index);
  // Runs step `index`, a "wait-until", until its condition holds or the
  // clock passes `deadline_ms`.
  void WaitUntil(std::size_t index, std::int64_t deadline_ms);
  void Execute(const ScenarioStep& step);
  // Runs a line without "&", failing it on a dialog that does not close.
  void ExecuteWithDeadline(const ScenarioStep& step);
  void FailOnOpenDialog(int line, const std::vector<Window*>& before);
  void Expect(const ScenarioStep& step);
  void Fail(int line, const std::string& message);
  void Finish();

  // Steps still queued on the clock when the runner goes must not run.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::string script_name_;
  std::vector<ScenarioStep> steps_;
  ScriptedDialogs dialogs_;
  UiDriver driver_;
  int current_line_ = 0;
  bool finished_ = false;
  std::string failure_;
};

// For a program's entry point: runs the --script of `options` and then
// saves the --screenshot of `main`. Returns the exit code the program should
// end with (0 when all went well; failures are written to `log`), or nothing
// when neither option was given and the program should run as usual.
std::optional<int> RunScriptedSession(const UiOptions& options, Window& main, std::ostream& log);

}  // namespace dsp
