#include "app/texts.h"

#include <cstdio>

namespace dsp {

std::string UsePortQuestion(Language language, const std::string& port) {
  std::string question = Pick(language, text::kUsePort);
  return question.replace(question.find("%s"), 2, port);
}

std::string ChannelTitle(Language language, const BilingualText& title, int channel) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, Pick(language, title).c_str(), 'A' + channel);
  return buffer;
}

}  // namespace dsp
