#pragma once

// What the window says when a file cannot be used: the persist layer's own
// English message, or in Chinese a text of the same kind naming the file.

#include <optional>
#include <string>

#include "language/language.h"
#include "persist/eq_filter_export.h"
#include "persist/file_result.h"

namespace dsp {

std::string FileProblemText(Language language, const FileResult& result, const std::string& path);
// A filter list that cannot be imported: for a refused one, the file, the
// line and what is wrong with it, in both languages.
std::string EqImportProblemText(Language language, const FileResult& result,
                                const std::optional<EqImportError>& refusal, const std::string& path);

}  // namespace dsp
