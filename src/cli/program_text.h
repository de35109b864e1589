#pragma once

// The program's words and its console as UTF-8, the text of the whole code
// base: Windows hands main() its arguments in the ANSI code page and shows
// output in the console's own code page (program_text_posix.cpp,
// program_text_win.cpp).

#include <string>
#include <vector>

namespace dsp {

// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Makes the console show the program's UTF-8 output as such.
void UseUtf8Console();

}  // namespace dsp
