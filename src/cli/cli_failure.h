#pragma once

// How a command gives up. The message is one line for the user: what went
// wrong and what to do about it. Usage errors (a command line that cannot be
// understood) exit with 2, every other failure with 1.

#include <stdexcept>
#include <string>

namespace dsp {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

class CliFailure : public std::runtime_error {
 public:
  explicit CliFailure(const std::string& message) : std::runtime_error(message) {}
};

// The serial port is gone (an adapter pulled out): nothing more can be done
// on the bus, so a command working through several processors stops at once.
class PortLost : public CliFailure {
 public:
  using CliFailure::CliFailure;
};

class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace dsp
