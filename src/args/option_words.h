#pragma once

// A command line split into its options and its other words, by CLI11:
// "--name value", "--name=value" and "-n value" give an option its value,
// and "--" makes every later word a plain one. What the words mean, and the
// messages about them, stay with each program.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace dsp {

struct OptionTable {
  std::vector<std::string> with_value;  // e.g. "--port", "-o"
  std::vector<std::string> flags;       // e.g. "--json", "-h"
};

struct OptionWords {
  std::map<std::string, std::string> options;  // by name; a flag maps to ""
  std::vector<std::string> words;              // the rest, in order
};

class OptionError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Throws OptionError, with a message for the user, for an option not in the
// table, an option given twice, a value option without a value or with an
// empty one, and a flag given a value.
OptionWords SplitOptionWords(const std::vector<std::string>& args, const OptionTable& table);

}  // namespace dsp
