#include "cli/utf8.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace dsp {
namespace {

struct Lead {
  std::size_t length;
  std::uint32_t min;
};

Lead LeadOf(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80};
  if (lead >= 0xE0 && lead <= 0xEF) return {3, 0x800};
  if (lead >= 0xF0 && lead <= 0xF4) return {4, 0x10000};
  return {0, 0};
}

std::uint32_t DecodeAt(std::string_view text, std::size_t at, std::size_t length) {
  std::uint32_t code = static_cast<unsigned char>(text[at]) & (0x3F >> (length - 1));
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  return code;
}

bool IsControl(std::uint32_t code) { return code < 0x20 || (code >= 0x7F && code <= 0x9F); }

struct CodeRange {
  std::uint32_t first;
  std::uint32_t last;
};

bool InRanges(std::uint32_t code, std::span<const CodeRange> ranges) {
  return std::any_of(ranges.begin(), ranges.end(),
                     [code](const CodeRange& range) { return code >= range.first && code <= range.last; });
}

// East Asian wide and full-width characters: Hangul, the CJK blocks, kana,
// Yi, the full-width forms and the pictographs terminals draw wide.
constexpr CodeRange kWide[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF}, {0xA000, 0xA4CF},
    {0xA960, 0xA97F}, {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F}, {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD},
};

// Combining marks, zero-width spaces and joiners, variation selectors.
constexpr CodeRange kZeroWidth[] = {
    {0x0300, 0x036F}, {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
};

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const Lead lead = LeadOf(static_cast<unsigned char>(text[at]));
  if (lead.length == 0 || at + lead.length > text.size()) return 0;
  for (std::size_t i = 1; i < lead.length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  }
  const std::uint32_t code = DecodeAt(text, at, lead.length);
  if (code < lead.min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return lead.length;
}

std::string PrintableText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += IsControl(c) ? '?' : static_cast<char>(c);
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0 || IsControl(DecodeAt(text, i, length))) {
      out += '?';
      i += length == 0 ? 1 : length;
      continue;
    }
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

std::size_t TerminalWidth(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length < 2) {
      ++width;
      ++i;
      continue;
    }
    const std::uint32_t code = DecodeAt(text, i, length);
    width += InRanges(code, kZeroWidth) ? 0 : InRanges(code, kWide) ? 2 : 1;
    i += length;
  }
  return width;
}

}  // namespace dsp
