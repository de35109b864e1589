#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "cli/program_text.h"
#include "link/wide_text_win.h"

namespace dsp {

// The command line as the system received it, in UTF-16; `argv` is only the
// fallback should the system not split it.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr) return {argv + 1, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(NarrowText(words[i]));
  LocalFree(words);
  return arguments;
}

void UseUtf8Console() { SetConsoleOutputCP(CP_UTF8); }

}  // namespace dsp
