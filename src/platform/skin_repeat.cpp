#include "platform/skin_repeat.h"

#include <cctype>
#include <utility>

#include "platform/skin_error.h"

namespace dsp {
namespace {

struct Binding {
  std::string name;
  int index;
};
using Scope = std::vector<Binding>;

constexpr int kMaxRepeatCount = 1000;

bool IsIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

[[noreturn]] void Fail(const SkinElement& element, std::string reason) {
  throw SkinError(element.file, element.line, std::move(reason));
}

std::string Format(const SkinElement& element, int index, std::string_view format) {
  if (format.empty()) return std::to_string(index);
  if (format == "n") return std::to_string(index + 1);
  if (format == "a" || format == "A") {
    if (index >= 26) Fail(element, "repeat index " + std::to_string(index) + " has no letter");
    return std::string(1, static_cast<char>((format == "a" ? 'a' : 'A') + index));
  }
  Fail(element, "unknown repeat format \":" + std::string(format) + "\" (use n, a or A)");
}

const Binding* Lookup(const Scope& scope, std::string_view name) {
  for (auto it = scope.rbegin(); it != scope.rend(); ++it) {
    if (it->name == name) return &*it;
  }
  return nullptr;
}

// Replaces the placeholder starting at value[pos] == '{' and returns the
// position after it; text that is not a placeholder is copied unchanged.
std::size_t SubstituteOne(const SkinElement& element, const Scope& scope, std::string_view value,
                          std::size_t pos, std::string& out) {
  if (pos + 1 < value.size() && value[pos + 1] == '{') {
    out += '{';
    return pos + 2;
  }
  std::size_t end = pos + 1;
  if (end >= value.size() || !IsIdentifierStart(value[end])) {
    out += '{';
    return pos + 1;
  }
  while (end < value.size() && IsIdentifierChar(value[end])) ++end;
  const std::string_view name = value.substr(pos + 1, end - pos - 1);
  std::string_view format;
  if (end < value.size() && value[end] == ':') {
    const std::size_t format_start = end + 1;
    while (end + 1 < value.size() && value[end + 1] != '}') ++end;
    format = value.substr(format_start, end + 1 - format_start);
    ++end;
  }
  if (end >= value.size() || value[end] != '}') {
    out += '{';
    return pos + 1;
  }
  const Binding* binding = Lookup(scope, name);
  if (binding == nullptr) {
    Fail(element, "no repeat variable \"" + std::string(name) + "\" here (write {{ for a literal brace)");
  }
  out += Format(element, binding->index, format);
  return end + 1;
}

std::string Substitute(const SkinElement& element, const Scope& scope, std::string_view value) {
  std::string out;
  std::size_t pos = 0;
  while (pos < value.size()) {
    if (value[pos] == '{') {
      pos = SubstituteOne(element, scope, value, pos, out);
    } else {
      out += value[pos++];
    }
  }
  return out;
}

void ExpandInto(const SkinElement& source, Scope& scope, std::vector<SkinElement>& out);

void ExpandRepeat(const SkinElement& repeat, Scope& scope, std::vector<SkinElement>& out) {
  int count = -1;
  std::string var = "i";
  for (const auto& [name, raw] : repeat.attributes) {
    const std::string value = Substitute(repeat, scope, raw);
    if (name == "count") {
      try {
        count = ParseInt(name, value);
      } catch (const AttributeError& error) {
        Fail(repeat, error.what());
      }
    } else if (name == "var") {
      var = value;
    } else {
      Fail(repeat, "<Repeat> takes count and var, not " + name);
    }
  }
  if (count < 0 || count > kMaxRepeatCount) {
    Fail(repeat, "<Repeat> needs count=\"0\" to \"" + std::to_string(kMaxRepeatCount) + "\"");
  }
  if (var.empty() || !IsIdentifierStart(var.front())) Fail(repeat, "<Repeat> var must be a name");
  if (Lookup(scope, var) != nullptr) Fail(repeat, "repeat variable \"" + var + "\" is already in use");
  for (int index = 0; index < count; ++index) {
    scope.push_back({var, index});
    for (const SkinElement& child : repeat.children) ExpandInto(child, scope, out);
    scope.pop_back();
  }
}

void ExpandInto(const SkinElement& source, Scope& scope, std::vector<SkinElement>& out) {
  if (source.tag == "Repeat") {
    ExpandRepeat(source, scope, out);
    return;
  }
  SkinElement copy{source.tag, {}, {}, source.file, source.line};
  for (const auto& [name, value] : source.attributes) {
    copy.attributes.emplace_back(name, Substitute(source, scope, value));
  }
  for (const SkinElement& child : source.children) ExpandInto(child, scope, copy.children);
  out.push_back(std::move(copy));
}

}  // namespace

void ExpandRepeats(SkinElement& root) {
  if (root.tag == "Repeat") Fail(root, "<Repeat> cannot be the root element");
  Scope scope;
  std::vector<SkinElement> expanded;
  ExpandInto(root, scope, expanded);
  root = std::move(expanded.front());
}

}  // namespace dsp
