#include "cli/utf8.h"

#include <cstdint>

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

}  // namespace dsp
