#pragma once
// lobrin-calc run as a script or a person runs it: arguments and standard
// input in; the printed texts, the exit code and the memory peak out.

#include <functional>
#include <string>
#include <vector>

namespace lobrin::calc_test {

struct CommandResult {
  int exitCode = -1;  // -1: the program did not end by itself (killed by a signal)
  std::string out;
  std::string err;
  long peakKilobytes = 0;  // the largest resident set the program had
};

// Runs lobrin-calc with `arguments` (no shell between), `input` as its
// standard input. Both output streams go to files, so that neither can fill
// up and block the program.
CommandResult RunCommand(const std::vector<std::string>& arguments, const std::string& input = "");

// The same, with standard input a pipe that `feed` writes to (through the
// descriptor it is given) while the program runs; the pipe is closed after.
CommandResult RunCommandFed(const std::vector<std::string>& arguments, const std::function<void(int)>& feed);

// Runs lobrin-calc with `arguments` and `input`, its standard output the file
// `outputPath` (such as /dev/full); `out` stays empty.
CommandResult RunCommandWritingTo(const std::vector<std::string>& arguments, const std::string& input,
                                  const char* outputPath);

// Writes all of `bytes` to `descriptor`; false when the reader has gone.
bool WriteAll(int descriptor, const char* bytes, std::size_t count);

}  // namespace lobrin::calc_test
