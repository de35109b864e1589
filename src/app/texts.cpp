#include "app/texts.h"

#include <cstdio>

namespace dsp {

std::string UsePortQuestion(int language, const std::string& port) {
  return language == kEnglish ? "Use " + port + " ?" : "是否使用" + port + "?";
}

std::string ChannelTitle(int language, const BilingualText& title, int channel) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, Pick(language, title).c_str(), 'A' + channel);
  return buffer;
}

}  // namespace dsp
