#pragma once
// The program's command-line words.

#include <string>

namespace lobrin {

// Word `n` (n >= 1) of `commandLine` after the program name: words are separated
// by characters of code 32 or less outside double quotes; an empty quoted word ("")
// where a word would start is skipped; a word at least 2 long that both begins and
// ends with a double quote loses those two quotes. Beyond the last word: empty.
std::string CommandLineWord(const std::string& commandLine, int n);

// Argument `n` of this process: 0 is the module's full file name, n >= 1 as above.
std::string ProgramArgument(int n);

}  // namespace lobrin
