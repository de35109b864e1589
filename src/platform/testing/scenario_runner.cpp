#include "platform/testing/scenario_runner.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/check_box.h"
#include "platform/combo.h"
#include "platform/list.h"
#include "platform/progress.h"
#include "platform/slider.h"
#include "platform/testing/screenshot.h"
#include "platform/toolkit.h"
#include "platform/tree_view.h"
#include "platform/window.h"

namespace dsp {
namespace {

UiKey KeyNamed(const std::string& name) {
  if (name == "up") return UiKey::kUp;
  if (name == "down") return UiKey::kDown;
  if (name == "left") return UiKey::kLeft;
  if (name == "right") return UiKey::kRight;
  if (name == "enter") return UiKey::kEnter;
  if (name == "esc") return UiKey::kEscape;
  return UiKey::kTab;
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

Window* TopWindow() {
  for (Window* window : Window::AllWindows()) {
    if (window->IsShown()) return window;
  }
  return nullptr;
}

int SelectedIndexOf(Control& control) {
  if (auto* combo = dynamic_cast<Combo*>(&control)) return combo->CurSel();
  if (auto* tree = dynamic_cast<TreeView*>(&control)) return tree->SelectedIndex();
  if (auto* list = dynamic_cast<List*>(&control)) return list->CurSel();
  throw UiActionError(Quote(control.Name()) + " is a " + std::string(control.ClassName()) +
                      ", not a combo, tree or list");
}

int ValueOf(Control& control) {
  if (auto* slider = dynamic_cast<Slider*>(&control)) return slider->Value();
  if (auto* progress = dynamic_cast<Progress*>(&control)) return progress->Value();
  throw UiActionError(Quote(control.Name()) + " is a " + std::string(control.ClassName()) + " and has no value");
}

// "X,Y" in the control's pixels, or a part the control names ("band18").
QPoint PointIn(Control& control, const std::string& word) {
  int x = 0;
  int y = 0;
  char comma = 0;
  char rest = 0;
  if (std::sscanf(word.c_str(), "%d%c%d%c", &x, &comma, &y, &rest) == 3 && comma == ',') return {x, y};
  if (const auto point = control.NamedPoint(word)) return *point;
  throw UiActionError(Quote(control.Name()) + " has no point " + Quote(word));
}

}  // namespace

ScenarioRunner::ScenarioRunner(std::string script_name, std::vector<ScenarioStep> steps)
    : script_name_(std::move(script_name)),
      steps_(std::move(steps)),
      dialogs_([this](const std::string& message) { Fail(current_line_, message); }) {}

bool ScenarioRunner::Run() {
  ToolkitOverride answer_from_script(nullptr, &dialogs_);
  Clock& clock = Toolkit::GetClock();
  clock.Post([this, alive = alive_] {
    if (*alive) RunStep(0);
  });
  if (!clock.RunUntil([this] { return finished_; })) {
    Fail(current_line_, "the script could not go on (see the clock's report)");
  }
  if (failure_.empty() && dialogs_.UnusedAnswers() > 0) {
    Fail(steps_.empty() ? 0 : steps_.back().line,
         std::to_string(dialogs_.UnusedAnswers()) + " scripted answer(s) were never asked for");
  }
  return failure_.empty();
}

std::function<void()> ScenarioRunner::StepLater(std::size_t index) {
  return [this, index, alive = alive_] {
    if (*alive) RunStep(index);
  };
}

void ScenarioRunner::RunStep(std::size_t index) {
  if (finished_) return;
  if (index == steps_.size()) {
    Finish();
    return;
  }
  const ScenarioStep& step = steps_[index];
  current_line_ = step.line;
  Clock& clock = Toolkit::GetClock();
  const std::function<void()> next = StepLater(index + 1);
  if (step.command == "wait") {
    // Posting once the time is up lets everything else due at that moment
    // run before the next line looks.
    clock.StartTimer(std::stoll(step.args[0]), false, [&clock, next] { clock.Post(next); });
    return;
  }
  if (step.command == "wait-until") {
    WaitUntil(index, clock.NowMs() + std::stoll(step.args[0]));
    return;
  }
  if (step.go_on) clock.Post(next);
  try {
    if (step.go_on) Execute(step);
    else ExecuteWithDeadline(step);
  } catch (const std::exception& error) {
    Fail(step.line, step.command + " " + (step.args.empty() ? "" : step.args[0]) + ": " + error.what());
  }
  if (!step.go_on) clock.Post(next);
}

// A control that does not exist yet is a condition not met yet: the window
// that has it may still be on its way.
void ScenarioRunner::WaitUntil(std::size_t index, std::int64_t deadline_ms) {
  if (finished_) return;
  const ScenarioStep& step = steps_[index];
  const ScenarioStep condition{step.line, step.args[1], {step.args.begin() + 2, step.args.end()}};
  Clock& clock = Toolkit::GetClock();
  try {
    Expect(condition);
    clock.Post(StepLater(index + 1));
    return;
  } catch (const UiActionError& error) {
    if (clock.NowMs() >= deadline_ms) {
      Fail(step.line, "wait-until " + condition.command + " " + condition.args[0] + ": after " + step.args[0] +
                          " ms " + error.what());
      return;
    }
  }
  clock.StartTimer(kConditionPollMs, false, [this, index, deadline_ms, alive = alive_] {
    if (*alive) WaitUntil(index, deadline_ms);
  });
}

void ScenarioRunner::ExecuteWithDeadline(const ScenarioStep& step) {
  Clock& clock = Toolkit::GetClock();
  const Clock::TimerId deadline =
      clock.StartTimer(kActionLimitMs, false, [this, line = step.line, before = Window::AllWindows(), alive = alive_] {
        if (*alive) FailOnOpenDialog(line, before);
      });
  try {
    Execute(step);
  } catch (...) {
    clock.StopTimer(deadline);
    throw;
  }
  clock.StopTimer(deadline);
}

// Failing closes the dialogs, so the line's action returns and the run ends.
void ScenarioRunner::FailOnOpenDialog(int line, const std::vector<Window*>& before) {
  for (Window* window : Window::AllWindows()) {
    if (!window->IsModalRunning() || std::find(before.begin(), before.end(), window) != before.end()) continue;
    Fail(line, "the dialog " + Quote(window->Title()) + " was still open after " +
                   std::to_string(kActionLimitMs / 1000) +
                   " s: end the line with \" &\" and act in the dialog on the next lines");
    return;
  }
}

void ScenarioRunner::Execute(const ScenarioStep& step) {
  const std::string& command = step.command;
  const std::vector<std::string>& args = step.args;
  if (command == "click") driver_.Click(args[0]);
  else if (command == "dbclick") driver_.DoubleClick(args[0]);
  else if (command == "hover") driver_.Hover(args[0]);
  else if (command == "select") driver_.Select(args[0], std::stoi(args[1]));
  else if (command == "check") driver_.SetCheck(args[0], args[1] == "on");
  else if (command == "type") driver_.Type(args[0], args[1]);
  else if (command == "key") driver_.Key(args[0], KeyNamed(args[1]));
  else if (command == "scroll") driver_.Wheel(args[0], args[1] == "up");
  else if (command == "drag") {
    Control& control = driver_.Get(args[0]);
    driver_.Drag(args[0], PointIn(control, args[1]), PointIn(control, args[2]));
  }
  else if (command == "answer") dialogs_.AnswerNextMessage(args[0] == "ok" ? kIdOk : kIdCancel);
  else if (command == "answer-file") {
    dialogs_.AnswerNextFile(args[0] == "cancel" ? std::nullopt : std::optional<std::string>(args[0]));
  } else if (command == "screenshot") {
    Window* top = TopWindow();
    if (top == nullptr) throw UiActionError("no window is shown");
    if (std::string error = SaveScreenshot(top->Widget(), args[0]); !error.empty()) throw UiActionError(error);
  } else {
    Expect(step);
  }
}

void ScenarioRunner::Expect(const ScenarioStep& step) {
  const std::string& command = step.command;
  const std::vector<std::string>& args = step.args;
  std::string expected;
  std::string found;
  if (command == "expect-message") {
    if (dialogs_.Messages().empty()) throw UiActionError("no message box has been shown");
    expected = args[0];
    found = dialogs_.Messages().back().text;
  } else {
    Control& control = driver_.Get(args[0]);
    expected = args[1];
    if (command == "expect-text") {
      found = control.Text();
    } else if (command == "expect-visible") {
      found = control.IsVisibleInWindow() ? "yes" : "no";
    } else if (command == "expect-enabled") {
      found = control.isEnabled() ? "yes" : "no";
    } else if (command == "expect-check") {
      found = driver_.Get<CheckBox>(args[0]).Check() ? "on" : "off";
    } else if (command == "expect-value") {
      found = std::to_string(ValueOf(control));
    } else if (command == "expect-selected") {
      found = std::to_string(SelectedIndexOf(control));
    }
  }
  if (found != expected) throw UiActionError("expected " + Quote(expected) + ", found " + Quote(found));
}

void ScenarioRunner::Fail(int line, const std::string& message) {
  if (failure_.empty()) failure_ = script_name_ + ":" + std::to_string(line) + ": " + message;
  Finish();
}

void ScenarioRunner::Finish() {
  if (finished_) return;
  finished_ = true;
  // Modal dialogs left open would keep their ShowModal calls, and this run,
  // waiting for ever.
  for (Window* window : Window::AllWindows()) {
    if (!window->IsModalRunning()) continue;
    if (failure_.empty()) {
      failure_ = script_name_ + ":" + std::to_string(current_line_) + ": the script ended while the dialog " +
                 Quote(window->Title()) + " was still open";
    }
    window->Close(kModalAborted);
  }
}

std::optional<int> RunScriptedSession(const UiOptions& options, Window& main, std::ostream& log) {
  if (!options.script && !options.screenshot) return std::nullopt;
  int code = 0;
  if (options.script) {
    std::ifstream input(*options.script);
    if (!input) {
      log << "Cannot read the script " << *options.script << "; check the path.\n";
      return 1;
    }
    std::stringstream text;
    text << input.rdbuf();
    try {
      ScenarioRunner runner(*options.script, ParseScenario(text.str()));
      if (!runner.Run()) {
        log << runner.Failure() << '\n';
        code = 1;
      }
    } catch (const ScenarioError& error) {
      log << *options.script << ":" << error.line() << ": " << error.message() << '\n';
      return 1;
    }
  } else {
    // Give the window its first layout and paint before it is captured.
    Toolkit::GetClock().RunFor(200);
  }
  if (options.screenshot) {
    if (std::string error = SaveScreenshot(main.Widget(), *options.screenshot); !error.empty()) {
      log << error << '\n';
      code = 1;
    }
  }
  return code;
}

}  // namespace dsp
