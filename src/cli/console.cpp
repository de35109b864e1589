#include "cli/console.h"

namespace dsp {

void Console::Result(const std::string& text, const Json& document) {
  progress_.Interrupt();
  if (json_) {
    std::fprintf(out_, "%s\n", JsonText(document).c_str());
  } else {
    std::fputs(text.c_str(), out_);
  }
  std::fflush(out_);
}

void Console::Stream(const std::string& text) {
  if (json_) return;
  progress_.Interrupt();
  std::fputs(text.c_str(), out_);
  std::fflush(out_);
}

void Console::Note(const std::string& text) {
  progress_.Interrupt();
  std::fprintf(err_, "%s: %s\n", program_.c_str(), text.c_str());
  std::fflush(err_);
}

}  // namespace dsp
