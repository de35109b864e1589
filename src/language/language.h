#pragma once

// The interface's two languages and the one type for a text that exists in
// both. Every user-visible text is picked by the language at the moment it
// is shown. A few texts of the English set are Russian; they are shown as
// they stand.

#include <string>

namespace dsp {

// The values are those Setting.ini stores. A hand-edited Setting.ini may
// hold another number; it is kept as read, and the interface then mixes the
// two sets as it always has: `Pick`, the menus and the skin's own captions
// give Chinese, the tables that relabel the window leave the skin's texts
// (`HasTextSet`), the devices' sync indicators say "click to syn", and a
// switch of language goes to Chinese.
enum class Language : int { kChinese = 0, kEnglish = 1 };

// Whether `language` is one of the two the interface has texts for.
constexpr bool HasTextSet(Language language) {
  return language == Language::kChinese || language == Language::kEnglish;
}

struct BilingualText {
  const char* english;
  const char* chinese;
};

// English for English, Chinese for any other language.
inline std::string Pick(Language language, const BilingualText& text) {
  return language == Language::kEnglish ? text.english : text.chinese;
}

}  // namespace dsp
