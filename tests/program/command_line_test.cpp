#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"

namespace lobrin {
namespace {

// The switch as the running program reads it, quoted, in capitals or longer, is
// checked in tests/app.
TEST(CommandLine, WordsFollowTheProgramsOwnSplittingRules) {
  const struct {
    const char* commandLine;
    int n;
    const char* word;
  } rows[] = {
      {"lobrin.exe /ih", 1, "/ih"},
      {"lobrin.exe /ih", 0, "lobrin.exe"},
      {"lobrin.exe /ih", 2, ""},
      {"\"C:\\Ham Radio\\lobrin.exe\" /ih", 1, "/ih"},
      {"\"C:\\Ham Radio\\lobrin.exe\" /ih", 0, "C:\\Ham Radio\\lobrin.exe"},
      {"lobrin.exe \"\" /ih", 1, "/ih"},      // an empty quoted word is skipped
      {"lobrin.exe \"\"\"\" /ih", 1, "/ih"},  // two of them as well
      {"lobrin.exe", 1, ""},
      {"lobrin.exe \t\r\n /ih", 1, "/ih"},
      {"lobrin.exe \x01/ih", 1, "/ih"},  // every code up to 32 separates
      {"lobrin.exe a\"b c\"d e", 1, "a\"b c\"d"},
      {"lobrin.exe a\"b c\"d e", 2, "e"},  // quotes inside a word stay
      {"lobrin.exe \"", 1, "\""},          // a lone quote is not a pair
      {"lobrin.exe \"unterminated word", 1, "\"unterminated word"},
      {"", 0, ""},
      {"   ", 1, ""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(CommandLineWord(row.commandLine, row.n), row.word)
        << "line: [" << row.commandLine << "] n=" << row.n;
  }
}

TEST(CommandLine, ArgumentZeroIsTheModulesFullFileName) {
  const std::string name = ProgramArgument(0);
  ASSERT_GT(name.size(), 4u);
  EXPECT_NE(name.find('\\'), std::string::npos);
  EXPECT_EQ(name.substr(name.size() - 4), ".exe");
}

}  // namespace
}  // namespace lobrin
