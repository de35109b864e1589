#pragma once

// Checks of the files a command names, made before the bus is scanned, so
// that a mistyped name costs no waiting.

#include <string>

namespace dsp {

// Fails unless `path` is a regular file this user may read.
void RequireReadableFile(const std::string& path);

// As RequireReadableFile, and fails when the file is empty: an image of
// firmware or effects has at least one byte.
void RequireImageFile(const std::string& path);

// Fails unless a file can be created or replaced at `path`: its folder
// exists and is writable, and `path` is no folder.
void RequireWritableFile(const std::string& path);

}  // namespace dsp
