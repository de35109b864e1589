#include "args/option_words.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <utility>

namespace dsp {
namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// "NAME=VALUE" words that Debian's CLI11 2.1 reads otherwise than the user
// means: an empty value (it takes the next word instead), a value after a
// flag, and a short option (whose value would start with "=").
void CheckAssignments(const std::vector<std::string>& args, const OptionTable& table) {
  for (const std::string& arg : args) {
    if (arg == "--") return;
    const std::size_t equals = arg.find('=');
    if (arg.size() < 2 || arg[0] != '-' || equals == std::string::npos) continue;
    const std::string name = arg.substr(0, equals);
    if (Contains(table.flags, name)) throw OptionError(name + " takes no value");
    if (!Contains(table.with_value, name)) continue;
    if (name[1] != '-') throw OptionError("write " + name + " VALUE, without \"=\"");
    if (equals + 1 == arg.size()) throw OptionError(name + " needs a value");
  }
}

}  // namespace

OptionWords SplitOptionWords(const std::vector<std::string>& args, const OptionTable& table) {
  CheckAssignments(args, table);
  CLI::App app;
  app.set_help_flag();
  app.allow_extras();
  // The options are the same words on every system: on Windows too, a word
  // beginning with "/" is a path, not an option.
  app.allow_windows_style_options(false);
  OptionWords split;
  app.add_option("words", split.words);
  std::vector<std::pair<std::string, CLI::Option*>> options;
  for (const std::string& name : table.with_value) {
    // A value is optional to CLI11 so that a missing one is ours to report.
    options.emplace_back(name,
                         app.add_option(name)->expected(0, 1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll));
  }
  for (const std::string& name : table.flags) options.emplace_back(name, app.add_flag(name));
  std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes the words last first
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& error) {
    throw OptionError(error.what());
  }
  for (const std::string& extra : app.remaining()) {
    if (extra != "--") throw OptionError("unknown option \"" + extra + "\"");
  }
  for (const auto& [name, option] : options) {
    const std::size_t count = option->count();
    if (count == 0) continue;
    if (count > 1) throw OptionError(name + " is given " + std::to_string(count) + " times: give it once");
    const bool flag = Contains(table.flags, name);
    const std::string value = flag || option->results().empty() ? "" : option->results().front();
    if (!flag && value.empty()) throw OptionError(name + " needs a value");
    split.options[name] = value;
  }
  return split;
}

}  // namespace dsp
