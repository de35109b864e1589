#pragma once

// What the window says when a file cannot be used: the persist layer's own
// English message, or in Chinese a text of the same kind naming the file.

#include <string>

#include "persist/file_result.h"

namespace dsp {

std::string FileProblemText(int language, const FileResult& result, const std::string& path);

}  // namespace dsp
