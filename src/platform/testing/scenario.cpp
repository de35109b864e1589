#include "platform/testing/scenario.h"

#include <cctype>
#include <charconv>
#include <map>

namespace dsp {
namespace {

enum class Arg { kName, kNumber, kOnOff, kYesNo, kKey, kUpDown, kOkCancel, kText, kPath, kPoint };

const std::map<std::string_view, std::vector<Arg>>& Commands() {
  static const std::map<std::string_view, std::vector<Arg>> commands = {
      {"click", {Arg::kName}},
      {"dbclick", {Arg::kName}},
      {"hover", {Arg::kName}},
      {"select", {Arg::kName, Arg::kNumber}},
      {"check", {Arg::kName, Arg::kOnOff}},
      {"type", {Arg::kName, Arg::kText}},
      {"key", {Arg::kName, Arg::kKey}},
      {"scroll", {Arg::kName, Arg::kUpDown}},
      {"drag", {Arg::kName, Arg::kPoint, Arg::kPoint}},
      {"wait", {Arg::kNumber}},
      {"answer", {Arg::kOkCancel}},
      {"answer-file", {Arg::kText}},
      {"expect-text", {Arg::kName, Arg::kText}},
      {"expect-visible", {Arg::kName, Arg::kYesNo}},
      {"expect-enabled", {Arg::kName, Arg::kYesNo}},
      {"expect-check", {Arg::kName, Arg::kOnOff}},
      {"expect-value", {Arg::kName, Arg::kNumber}},
      {"expect-selected", {Arg::kName, Arg::kNumber}},
      {"expect-message", {Arg::kText}},
      {"screenshot", {Arg::kPath}},
  };
  return commands;
}

void SkipBlanks(std::string_view line, std::size_t& pos) {
  while (pos < line.size() && std::isspace(static_cast<unsigned char>(line[pos]))) ++pos;
}

std::string Word(std::string_view line, std::size_t& pos) {
  SkipBlanks(line, pos);
  const std::size_t start = pos;
  while (pos < line.size() && !std::isspace(static_cast<unsigned char>(line[pos]))) ++pos;
  return std::string(line.substr(start, pos - start));
}

std::string Quoted(std::string_view line, std::size_t& pos, int line_number) {
  std::string text;
  for (++pos; pos < line.size(); ++pos) {
    if (line[pos] == '"') {
      ++pos;
      return text;
    }
    if (line[pos] == '\\' && pos + 1 < line.size()) ++pos;
    text += line[pos];
  }
  throw ScenarioError(line_number, "the quoted text has no closing \"");
}

std::string RestOfLine(std::string_view line, std::size_t& pos, int line_number) {
  SkipBlanks(line, pos);
  if (pos < line.size() && line[pos] == '"') return Quoted(line, pos, line_number);
  std::string_view rest = line.substr(pos);
  while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back()))) rest.remove_suffix(1);
  pos = line.size();
  return std::string(rest);
}

void CheckWord(const std::string& word, Arg kind, int line_number) {
  auto one_of = [&](std::initializer_list<std::string_view> allowed, std::string_view what) {
    for (std::string_view value : allowed) {
      if (word == value) return;
    }
    throw ScenarioError(line_number, "expected " + std::string(what) + ", found \"" + word + "\"");
  };
  switch (kind) {
    case Arg::kNumber: {
      long long value = 0;
      auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
      if (error != std::errc() || end != word.data() + word.size()) {
        throw ScenarioError(line_number, "expected a number, found \"" + word + "\"");
      }
      return;
    }
    case Arg::kOnOff: return one_of({"on", "off"}, "on or off");
    case Arg::kYesNo: return one_of({"yes", "no"}, "yes or no");
    case Arg::kUpDown: return one_of({"up", "down"}, "up or down");
    case Arg::kOkCancel: return one_of({"ok", "cancel"}, "ok or cancel");
    case Arg::kKey: return one_of({"up", "down", "left", "right", "enter", "esc", "tab"}, "up, down, left, right, enter, esc or tab");
    default: return;
  }
}

// The actions that may run on while they are busy.
bool MayGoOn(std::string_view command) {
  return command == "click" || command == "dbclick" || command == "select" || command == "check" ||
         command == "type" || command == "key";
}

// Takes a trailing " &" off the line.
bool StripGoOn(std::string_view& line) {
  std::string_view trimmed = line;
  while (!trimmed.empty() && std::isspace(static_cast<unsigned char>(trimmed.back()))) trimmed.remove_suffix(1);
  if (trimmed.size() < 2 || trimmed.back() != '&' || !std::isspace(static_cast<unsigned char>(trimmed[trimmed.size() - 2]))) {
    return false;
  }
  line = trimmed.substr(0, trimmed.size() - 1);
  return true;
}

ScenarioStep ParseLine(std::string_view line, int line_number);

// "wait-until MS expect-...": the limit, then the expectation's own words.
ScenarioStep ParseWaitUntil(std::string_view line, std::size_t pos, ScenarioStep step) {
  std::string limit = Word(line, pos);
  if (limit.empty()) throw ScenarioError(step.line, "wait-until needs a limit in ms and an expect- line");
  CheckWord(limit, Arg::kNumber, step.line);
  ScenarioStep condition = ParseLine(line.substr(pos), step.line);
  if (!condition.command.starts_with("expect-")) {
    throw ScenarioError(step.line, "wait-until waits for an expect- line, not \"" + condition.command + "\"");
  }
  step.args = {std::move(limit), std::move(condition.command)};
  for (std::string& arg : condition.args) step.args.push_back(std::move(arg));
  return step;
}

ScenarioStep ParseLine(std::string_view line, int line_number) {
  const bool go_on = StripGoOn(line);
  std::size_t pos = 0;
  ScenarioStep step{line_number, Word(line, pos), {}, go_on};
  if (go_on && !MayGoOn(step.command)) {
    throw ScenarioError(line_number, "\"&\" goes after a click, dbclick, select, check, type or key");
  }
  if (step.command == "wait-until") return ParseWaitUntil(line, pos, std::move(step));
  auto found = Commands().find(step.command);
  if (found == Commands().end()) throw ScenarioError(line_number, "unknown command \"" + step.command + "\"");
  for (Arg kind : found->second) {
    std::string value = kind == Arg::kText ? RestOfLine(line, pos, line_number) : Word(line, pos);
    if (value.empty() && kind != Arg::kText) {
      throw ScenarioError(line_number, step.command + " needs " + std::to_string(found->second.size()) + " argument(s)");
    }
    CheckWord(value, kind, line_number);
    step.args.push_back(std::move(value));
  }
  SkipBlanks(line, pos);
  if (pos < line.size()) throw ScenarioError(line_number, "unexpected \"" + std::string(line.substr(pos)) + "\"");
  return step;
}

}  // namespace

std::vector<ScenarioStep> ParseScenario(std::string_view text) {
  std::vector<ScenarioStep> steps;
  int line_number = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    ++line_number;
    start = end + 1;
    std::size_t first = 0;
    SkipBlanks(line, first);
    if (first == line.size() || line[first] == '#') continue;
    steps.push_back(ParseLine(line, line_number));
  }
  return steps;
}

}  // namespace dsp
