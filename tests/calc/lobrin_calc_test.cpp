// lobrin-calc as a script or a person runs it: arguments in; the printed
// texts, the messages and the exit code out.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace lobrin {
namespace {

struct CommandResult {
  int exitCode = -1;  // -1: the program did not end by itself (killed by a signal)
  std::string out;
  std::string err;
};

// The content of the temporary file `name`, which goes with the reading.
std::string TakeFile(int descriptor, const char* name) {
  close(descriptor);
  std::ifstream in(name, std::ios::binary);
  std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  unlink(name);
  return content;
}

// Runs lobrin-calc with `arguments` (no shell between) and answers what it wrote and how it
// ended. Both streams go to files, so that neither can fill up and block the program.
CommandResult RunCommand(const std::vector<std::string>& arguments) {
  char outName[] = "/tmp/lobrin_calc_out_XXXXXX", errName[] = "/tmp/lobrin_calc_err_XXXXXX";
  const int out = mkstemp(outName), err = mkstemp(errName);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<char*> argv{const_cast<char*>(LOBRIN_CALC_PATH)};
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  CommandResult result;
  pid_t pid = 0;
  if (posix_spawn(&pid, LOBRIN_CALC_PATH, &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) {
      result.exitCode = WEXITSTATUS(status);
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = TakeFile(out, outName);
  result.err = TakeFile(err, errName);
  return result;
}

struct Case {
  const char* what;
  std::vector<std::string> arguments;
  std::string out;  // the whole standard output
  int exitCode = 0;
  std::string errHas = "";  // a part of the standard error; empty: nothing may be written there
};

const std::string kCsvHeader = "frequency,h_plane_m,h_plane_ft,e_plane_m,e_plane_ft\r\n";
const std::string kE30At144 = "4.02469094287112,13.2043670330093";
const std::string kUsage = "Usage: lobrin-calc [--csv] [--] H-PLANE E-PLANE FREQUENCY [FREQUENCY...]\n";

void Check(const Case& c) {
  const CommandResult result = RunCommand(c.arguments);
  EXPECT_EQ(result.exitCode, c.exitCode) << c.what;
  EXPECT_EQ(result.out, c.out) << c.what;
  EXPECT_EQ(result.err.empty(), c.errHas.empty()) << c.what << ": " << result.err;
  EXPECT_NE(result.err.find(c.errHas), std::string::npos) << c.what << ": " << result.err;
}

TEST(LobrinCalc, PrintsTheTextsTheWindowShows) {
  const Case cases[] = {
      {"a worked example as a table",
       {"32", "30", "144"},
       "frequency         H-plane m       H-plane ft         E-plane m        E-plane ft\n"
       "      144  3.77912008181594  12.398688329225  4.02469094287112  13.2043670330093\n"},
      {"a negative beamwidth is a text, not an option; empty boxes stay empty",
       {"-30", "0", "144", "1,44"},
       "frequency          H-plane m         H-plane ft  E-plane m  E-plane ft\n"
       "      144  -4.02469094287112  -13.2043670330093                       \n"
       "     1,44  -4.02469094287112  -13.2043670330093                       \n"},
      {"worked examples as CSV, one fresh calculation per frequency",
       {"--csv", "30.2", "28.5", "432", "144"},
       kCsvHeader + "432,1.33288373407207,4.37297827009301,1.41059344747959,4.62793140622894\r\n" +
           "144,3.9986512022162,13.118934810279,4.23178034243879,13.8837942186869\r\n"},
      {"texts read as typed; the frequency printed as typed, quoted where RFC 4180 says, a lone CR too",
       {"--csv", "30,5", "+30deg", "1,44", "1.44e2", "14\"4", "144\n", "14\r4"},
       kCsvHeader + "\"1,44\",2.25591726062521,7.40130358534962," + kE30At144 + "\r\n" +
           "1.44e2,2.25591726062521,7.40130358534962," + kE30At144 + "\r\n" +
           "\"14\"\"4\",2.25591726062521,7.40130358534962," + kE30At144 + "\r\n" +
           "\"144\n\",2.25591726062521,7.40130358534962," + kE30At144 + "\r\n" +
           "\"14\r4\",2.25591726062521,7.40130358534962," + kE30At144 + "\r\n"},
      {"after -- every argument is a text",
       {"--csv", "--", "--30", "30", "144"},
       kCsvHeader + "144,-4.02469094287112,-13.2043670330093," + kE30At144 + "\r\n"},
      {"no wavelength gives 0; an unreadable beamwidth leaves its plane empty",
       {"--csv", "1e999", "30", "", "0", "MHz", "1e999", "144"},
       kCsvHeader + ",,,0,0\r\n0,,,0,0\r\nMHz,,,0,0\r\n1e999,,,0,0\r\n144,,," + kE30At144 + "\r\n"},
      {"huge distances in full digits, never in exponent form",
       {"--csv", "360", "720", "144"},
       kCsvHeader + "144,19627536680402600,64394807442532100,-9813768340201290,-32197403721266000\r\n"},
      {"metres whose feet are beyond the double range show no feet",
       {"--csv", "1e-307", "30", "1e-305"},
       kCsvHeader + "1e-305,,,579555495773441" + std::string(293, '0') + ",\r\n"},
  };
  for (const Case& c : cases) {
    Check(c);
  }
}

TEST(LobrinCalc, UsageAndMistakes) {
  const Case cases[] = {
      {"missing everything", {}, "", 2, "lobrin-calc: missing H-PLANE beamwidth\n" + kUsage},
      {"missing the frequency", {"32", "30"}, "", 2, "missing FREQUENCY"},
      {"missing the E-plane after --", {"--csv", "--", "32"}, "", 2, "missing E-PLANE"},
      {"unknown option", {"--tsv", "32", "30", "144"}, "", 2, "unknown option '--tsv'\n" + kUsage},
      {"an option after -- is a text, --help too", {"--", "--help", "30"}, "", 2, "missing FREQUENCY"},
      {"the version, whatever else is given", {"32", "--version"}, "lobrin-calc 1.05\n"},
  };
  for (const Case& c : cases) {
    Check(c);
  }

  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"}, std::vector<std::string>{"32", "--help"}}) {
    const CommandResult help = RunCommand(arguments);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind(kUsage, 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
  }
}

}  // namespace
}  // namespace lobrin
