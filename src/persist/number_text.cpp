#include "persist/number_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "persist/text.h"

namespace dsp {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

template <typename T>
std::optional<T> WholeNumber(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  T value{};
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
  if (error != std::errc{} || stop != end) return std::nullopt;
  return value;
}

}  // namespace

int LeadingInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text::IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::optional<std::uint32_t> ParseUnsignedHex(std::string_view text) {
  text = text::Trim(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  return WholeNumber<std::uint32_t>(text, 16);
}

std::optional<std::uint32_t> ParseUnsignedDecimal(std::string_view text) {
  return WholeNumber<std::uint32_t>(text::Trim(text), 10);
}

std::optional<std::int32_t> ParseSignedDecimal(std::string_view text) {
  text = text::Trim(text);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  return WholeNumber<std::int32_t>(text, 10);
}

}  // namespace dsp
