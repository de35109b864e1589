#include "cli/json.h"

#include <cmath>
#include <cstdio>

#include "cli/utf8.h"

namespace dsp {
namespace {

void AppendEscaped(std::string& out, unsigned char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      break;
  }
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
  out += escaped;
}

}  // namespace

std::string JsonQuote(const std::string& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (c < 0x20 || c == '"' || c == '\\' || c == 0x7F) {
        AppendEscaped(out, c);
      } else {
        out += static_cast<char>(c);
      }
      ++i;
    } else if (const std::size_t length = Utf8SequenceLength(text, i); length > 0) {
      out.append(text, i, length);
      i += length;
    } else {
      out += "\\ufffd";
      ++i;
    }
  }
  return out + "\"";
}

std::string Json::Dump() const {
  std::string out;
  DumpTo(out);
  return out;
}

void Json::DumpTo(std::string& out) const {
  if (std::holds_alternative<std::nullptr_t>(value_)) {
    out += "null";
  } else if (const bool* b = std::get_if<bool>(&value_)) {
    out += *b ? "true" : "false";
  } else if (const std::int64_t* i = std::get_if<std::int64_t>(&value_)) {
    out += std::to_string(*i);
  } else if (const double* d = std::get_if<double>(&value_)) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", *d);
    out += std::isfinite(*d) ? text : "null";
  } else if (const std::string* s = std::get_if<std::string>(&value_)) {
    out += JsonQuote(*s);
  } else if (const Array* array = std::get_if<Array>(&value_)) {
    out += '[';
    for (std::size_t k = 0; k < array->size(); ++k) {
      if (k > 0) out += ',';
      (*array)[k].DumpTo(out);
    }
    out += ']';
  } else {
    const Object& object = std::get<Object>(value_);
    out += '{';
    for (std::size_t k = 0; k < object.size(); ++k) {
      if (k > 0) out += ',';
      out += JsonQuote(object[k].first);
      out += ':';
      object[k].second.DumpTo(out);
    }
    out += '}';
  }
}

}  // namespace dsp
