#pragma once

// A JSON document built in memory and written out in one piece, for --json.
// Object members keep the order they were given in. Strings are bytes from
// processors and files: invalid UTF-8 is written as U+FFFD, so the document
// always parses.

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace dsp {

class Json {
 public:
  using Array = std::vector<Json>;
  using Object = std::vector<std::pair<std::string, Json>>;

  Json() = default;  // null
  Json(bool value) : value_(value) {}
  Json(int value) : value_(std::int64_t{value}) {}
  Json(long value) : value_(std::int64_t{value}) {}
  Json(unsigned value) : value_(std::int64_t{value}) {}
  Json(unsigned long value) : value_(static_cast<std::int64_t>(value)) {}
  Json(double value) : value_(value) {}
  Json(const char* value) : value_(std::string(value)) {}
  Json(std::string value) : value_(std::move(value)) {}
  Json(Array value) : value_(std::move(value)) {}
  Json(Object value) : value_(std::move(value)) {}

  // Compact text; numbers of type double with one decimal, as the meters show.
  std::string Dump() const;

 private:
  void DumpTo(std::string& out) const;

  std::variant<std::nullptr_t, bool, std::int64_t, double, std::string, Array, Object> value_ = nullptr;
};

// The string as a JSON string literal, quotes included.
std::string JsonQuote(const std::string& text);

}  // namespace dsp
