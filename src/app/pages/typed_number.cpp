#include "app/pages/typed_number.h"

#include <cctype>
#include <charconv>
#include <algorithm>
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

int HundredthsWithin(double value, int min, int max) {
  // Far below what a typed value's last digit can mean, far above the
  // error of multiplying it by 100.
  constexpr double kBinaryError = 1e-6;
  const double hundredths = std::trunc(value * 100 + std::copysign(kBinaryError, value));
  return static_cast<int>(std::clamp(hundredths, static_cast<double>(min), static_cast<double>(max)));
}

}  // namespace dsp
