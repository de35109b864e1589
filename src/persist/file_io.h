#pragma once

// Whole-file reads and writes for the settings and parameter files.

#include <cstddef>
#include <string>
#include <string_view>

#include "persist/file_result.h"

namespace dsp {

// Reads a regular file of at most `max_bytes` into `contents`.
FileResult ReadWholeFile(const std::string& path, std::size_t max_bytes, std::string& contents);

// Replaces a file's contents in one step: they are written and flushed under
// a temporary name in the same folder, which is then renamed over the file.
// A save that fails or is interrupted leaves the previous file as it was and
// no temporary file behind. An existing file keeps its permissions; a path
// that is a symbolic link has the file it points to replaced.
FileResult ReplaceFile(const std::string& path, std::string_view contents);

}  // namespace dsp
