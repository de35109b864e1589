#include "app/pages/typed_number.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace dsp {
namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view NumberStart(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  if (text.starts_with('+')) text.remove_prefix(1);
  return text;
}

// What may follow a number: blanks and a unit of letters or "%".
bool IsUnit(std::string_view rest) {
  return std::all_of(rest.begin(), rest.end(), [](char c) {
    return IsBlank(c) || c == '%' || std::isalpha(static_cast<unsigned char>(c)) != 0;
  });
}

}  // namespace

std::optional<double> TypedDecimal(std::string_view text) {
  std::string number(NumberStart(text));
  if (const auto comma = number.find(','); comma != std::string::npos && number.find('.') == std::string::npos) {
    number[comma] = '.';
  }
  double value = 0;
  const char* first = number.data();
  const auto [end, error] = std::from_chars(first, first + number.size(), value, std::chars_format::general);
  if (error == std::errc::invalid_argument) return std::nullopt;
  if (!IsUnit(std::string_view(end, static_cast<std::size_t>(first + number.size() - end)))) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Too small to tell from zero, or beyond every range.
    const std::string_view matched(first, static_cast<std::size_t>(end - first));
    if (matched.find("e-") != std::string_view::npos || matched.find("E-") != std::string_view::npos) return 0.0;
    return matched.starts_with('-') ? std::numeric_limits<double>::lowest() : std::numeric_limits<double>::max();
  }
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<long long> TypedInteger(std::string_view text) {
  const auto value = TypedDecimal(text);
  if (!value) return std::nullopt;
  constexpr double kLowest = static_cast<double>(std::numeric_limits<long long>::min());
  constexpr double kHighest = static_cast<double>(std::numeric_limits<long long>::max());
  if (*value <= kLowest) return std::numeric_limits<long long>::min();
  if (*value >= kHighest) return std::numeric_limits<long long>::max();
  return static_cast<long long>(std::trunc(*value));
}

int HundredthsWithin(double value, int min, int max) {
  // Far below what a typed value's last digit can mean, far above the
  // error of multiplying it by 100.
  constexpr double kBinaryError = 1e-6;
  const double hundredths = std::trunc(value * 100 + std::copysign(kBinaryError, value));
  return static_cast<int>(std::clamp(hundredths, static_cast<double>(min), static_cast<double>(max)));
}

}  // namespace dsp
