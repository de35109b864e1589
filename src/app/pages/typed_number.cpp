#include "app/pages/typed_number.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace dsp {
namespace {

std::string_view NumberStart(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  if (text.starts_with('+')) text.remove_prefix(1);
  return text;
}

}  // namespace

std::optional<double> TypedDecimal(std::string_view text) {
  text = NumberStart(text);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<long long> TypedInteger(std::string_view text) {
  text = NumberStart(text);
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc()) return std::nullopt;
  return value;
}

}  // namespace dsp
