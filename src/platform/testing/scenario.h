#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dsp {

// One action of a scenario script, with the line it came from.
struct ScenarioStep {
  int line = 0;
  std::string command;
  std::vector<std::string> args;
  // Written with a trailing "&": the next lines run while this action is
  // still busy (it opened a modal dialog that they work in).
  bool go_on = false;
};

// A script line that cannot be understood.
class ScenarioError : public std::runtime_error {
 public:
  ScenarioError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line), message_(message) {}
  int line() const { return line_; }
  const std::string& message() const { return message_; }

 private:
  int line_;
  std::string message_;
};

// Parses a scenario script: one action per line, "#" starts a comment line,
// blank lines are skipped. An action line may end with "&" (see
// ScenarioStep::go_on). Arguments are separated by blanks; a text
// argument at the end of a line is the rest of the line, or a string in
// double quotes (with \" and \\) when it must keep blanks at its ends.
// Every command and its arguments are checked here, so a script with a typo
// fails before it runs. "wait-until MS" is followed by an expect- line, kept
// as args {MS, its command, its arguments...}. Throws ScenarioError.
std::vector<ScenarioStep> ParseScenario(std::string_view text);

}  // namespace dsp
