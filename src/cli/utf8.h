#pragma once

// Names come from processors and files as bytes; before they reach a
// terminal or a JSON document they are checked as UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace dsp {

// Length of the valid UTF-8 sequence starting at `at` (overlong forms and
// surrogates are invalid), or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// The text with control characters and invalid bytes shown as "?", so that a
// name cannot move the cursor or change the terminal's state.
std::string PrintableText(std::string_view text);

// Columns a terminal gives printable text: two for the wide characters of
// Chinese, Japanese and Korean and the full-width forms, none for combining
// marks, one for everything else; an invalid byte counts as one.
std::size_t TerminalWidth(std::string_view text);

}  // namespace dsp
