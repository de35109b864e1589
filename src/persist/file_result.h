#pragma once

// The outcome of a file operation. On failure the message names the file,
// says what went wrong and what the user can do; the error kind lets a front
// end choose its own (translated) text instead.

#include <string>
#include <utility>

namespace dsp {

enum class FileError {
  kNone,
  kCannotRead,        // missing, unreadable or too large
  kCannotWrite,       // folder not writable, disk full, target is a folder...
  kNotParameterFile,  // readable, but holds none of the parameter sections
  kValueOutOfRange,   // a parameter file's value the processor cannot be sent
  kBadSyntax,         // a configuration line that cannot be understood
};

struct FileResult {
  FileError error = FileError::kNone;
  std::string message;
  // What in the file was refused ("[input 0] gain = 99999999999"), for the
  // translated texts.
  std::string item;

  static FileResult Success() { return {}; }
  static FileResult Failure(FileError error, std::string message) { return {error, std::move(message), {}}; }
  bool Ok() const { return error == FileError::kNone; }
};

}  // namespace dsp
