#include "platform/attribute_values.h"

#include <charconv>
#include <cctype>
#include <cmath>

namespace dsp {
namespace {

[[noreturn]] void Fail(std::string_view attribute, std::string_view text, std::string_view expected) {
  throw AttributeError(std::string(attribute) + "=\"" + std::string(text) + "\": expected " +
                       std::string(expected));
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool ToInt(std::string_view text, int& value) {
  text = Trim(text);
  const char* end = text.data() + text.size();
  auto [ptr, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && ptr == end && !text.empty();
}

std::vector<int> IntList(std::string_view attribute, std::string_view text, std::string_view expected) {
  std::vector<int> values;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    int value = 0;
    if (!ToInt(text.substr(start, comma - start), value)) Fail(attribute, text, expected);
    values.push_back(value);
    if (comma == std::string_view::npos) return values;
    start = comma + 1;
  }
}

void SkipBlanks(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
}

[[noreturn]] void FailList(std::string_view text, std::size_t pos, std::string_view what) {
  throw AttributeError("attribute list \"" + std::string(text) + "\": " + std::string(what) +
                       " at position " + std::to_string(pos + 1));
}

}  // namespace

AttributeList ParseAttributeList(std::string_view text) {
  AttributeList attributes;
  std::size_t pos = 0;
  SkipBlanks(text, pos);
  while (pos < text.size()) {
    const std::size_t name_start = pos;
    while (pos < text.size() && text[pos] != '=' && !std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    std::string name(text.substr(name_start, pos - name_start));
    if (name.empty()) FailList(text, pos, "expected an attribute name");
    SkipBlanks(text, pos);
    if (pos >= text.size() || text[pos] != '=') FailList(text, pos, "expected '=' after " + name);
    ++pos;
    SkipBlanks(text, pos);
    if (pos >= text.size() || (text[pos] != '"' && text[pos] != '\'')) {
      FailList(text, pos, "expected a quoted value for " + name);
    }
    const char quote = text[pos++];
    const std::size_t close = text.find(quote, pos);
    if (close == std::string_view::npos) FailList(text, pos, "unterminated value of " + name);
    attributes.emplace_back(std::move(name), std::string(text.substr(pos, close - pos)));
    pos = close + 1;
    SkipBlanks(text, pos);
  }
  return attributes;
}

int ParseInt(std::string_view attribute, std::string_view text) {
  int value = 0;
  if (!ToInt(text, value)) Fail(attribute, text, "a whole number");
  return value;
}

double ParseDouble(std::string_view attribute, std::string_view text) {
  const std::string_view number = Trim(text);
  const char* end = number.data() + number.size();
  double value = 0;
  auto [ptr, error] = std::from_chars(number.data(), end, value);
  if (error != std::errc() || ptr != end || number.empty() || !std::isfinite(value)) Fail(attribute, text, "a number");
  return value;
}

bool ParseBool(std::string_view attribute, std::string_view text) {
  if (text == "true") return true;
  if (text == "false") return false;
  Fail(attribute, text, "true or false");
}

QColor ParseColor(std::string_view attribute, std::string_view text) {
  constexpr std::string_view kExpected = "a colour #AARRGGBB or #RRGGBB";
  std::string_view digits = Trim(text);
  if (digits.empty() || digits.front() != '#') Fail(attribute, text, kExpected);
  digits.remove_prefix(1);
  if (digits.size() != 8 && digits.size() != 6) Fail(attribute, text, kExpected);
  std::uint32_t value = 0;
  auto [ptr, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc() || ptr != digits.data() + digits.size()) Fail(attribute, text, kExpected);
  if (digits.size() == 6) value |= 0xFF000000u;
  return QColor::fromRgba(value);
}

QMargins ParseMargins(std::string_view attribute, std::string_view text) {
  const std::vector<int> v = IntList(attribute, text, "left,top,right,bottom");
  if (v.size() == 1) return {v[0], v[0], v[0], v[0]};
  if (v.size() != 4) Fail(attribute, text, "left,top,right,bottom");
  return {v[0], v[1], v[2], v[3]};
}

QSize ParseSize(std::string_view attribute, std::string_view text) {
  const std::vector<int> v = IntList(attribute, text, "width,height");
  if (v.size() != 2) Fail(attribute, text, "width,height");
  return {v[0], v[1]};
}

Qt::Alignment ParseAlignment(std::string_view attribute, std::string_view text) {
  Qt::Alignment alignment;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find_first_of(", ", pos);
    const std::string_view word = text.substr(pos, end - pos);
    if (word == "left") alignment |= Qt::AlignLeft;
    else if (word == "center") alignment |= Qt::AlignHCenter;
    else if (word == "right") alignment |= Qt::AlignRight;
    else if (word == "top") alignment |= Qt::AlignTop;
    else if (word == "vcenter") alignment |= Qt::AlignVCenter;
    else if (word == "bottom") alignment |= Qt::AlignBottom;
    else if (!word.empty()) Fail(attribute, text, "left, center, right, top, vcenter or bottom");
    if (end == std::string_view::npos) break;
    pos = end + 1;
  }
  if (!(alignment & Qt::AlignHorizontal_Mask)) alignment |= Qt::AlignLeft;
  if (!(alignment & Qt::AlignVertical_Mask)) alignment |= Qt::AlignVCenter;
  return alignment;
}

}  // namespace dsp
