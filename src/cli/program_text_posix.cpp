#include "cli/program_text.h"

namespace dsp {

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void UseUtf8Console() {}

}  // namespace dsp
