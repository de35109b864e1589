#pragma once

#include <stdexcept>
#include <string>

namespace dsp {

// A skin file that cannot be used: which file, which line, and why.
class SkinError : public std::runtime_error {
 public:
  SkinError(std::string file, int line, std::string reason)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + reason),
        file_(std::move(file)),
        line_(line),
        reason_(std::move(reason)) {}

  const std::string& file() const { return file_; }
  int line() const { return line_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string file_;
  int line_;
  std::string reason_;
};

}  // namespace dsp
