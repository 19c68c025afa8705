#pragma once
// Runs a program with its arguments (no shell between), and collects what it
// wrote on its standard output and error and how it ended.

#include <string>
#include <vector>

namespace lobrin::testing {

struct CommandResult {
  int exitCode = -1;       // -1: the program did not end by itself (killed by a signal)
  std::string out;         // standard output
  std::string err;         // standard error
};

// Runs `program` with `arguments`, waits for it to end and answers what it did.
CommandResult RunCommand(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace lobrin::testing
