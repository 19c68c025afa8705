// lobrin-calc with its texts as arguments: the printed texts, the messages
// and the exit code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/calc/command.h"

namespace lobrin::calc_test {
namespace {

struct Case {
  const char* what;
  std::vector<std::string> arguments;
  std::string out;  // the whole standard output
  int exitCode = 0;
  std::string errHas = "";  // a part of the standard error; empty: nothing may be written there
};

const std::string kCsvHeader = "frequency,h_plane_m,h_plane_ft,e_plane_m,e_plane_ft\r\n";
const std::string kE30At144 = "4.02469094287112,13.2043670330093";
const std::string kUsage =
    "Usage: lobrin-calc [OPTION...] [--] H-PLANE E-PLANE FREQUENCY [FREQUENCY...]\n"
    "       lobrin-calc [OPTION...] --batch FILE\n";

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

// The extra columns keep the layout of the argument mode: the frequency first,
// then the four boxes, then the wavelengths and the tolerance band.
TEST(LobrinCalc, ExtraColumnsAfterTheBoxes) {
  const std::string boxes32 = "3.77912008181594,12.398688329225," + kE30At144;
  const Case cases[] = {
      {"wavelengths and a one-degree band as a table",
       {"--wavelengths", "--tolerance", "1", "32", "30", "144"},
       "frequency         H-plane m       H-plane ft         E-plane m        E-plane ft    H-plane lambda"
       "    E-plane lambda   H-plane m low    H-plane m high     E-plane m low    E-plane m high\n"
       "      144  3.77912008181594  12.398688329225  4.02469094287112  13.2043670330093  1.81397763927165"
       "  1.93185165257814  3.667642210503  3.89789326650312  3.89789326650312  4.16034287802061\n"},
      {"the same as CSV: 31 degrees is the H-plane's upper end and the E-plane's lower one",
       {"--tolerance", "1", "--csv", "--wavelengths", "32", "30", "144"},
       "frequency,h_plane_m,h_plane_ft,e_plane_m,e_plane_ft,h_plane_lambda,e_plane_lambda,"
       "h_plane_m_low,h_plane_m_high,e_plane_m_low,e_plane_m_high\r\n"
       "144," +
           boxes32 + ",1.81397763927165,1.93185165257814,3.667642210503,3.89789326650312,3.89789326650312," +
           "4.16034287802061\r\n"},
      {"as JSON Lines: numbers, the frequency a string, an empty box null",
       {"--json", "--wavelengths", "0", "30", "144"},
       "{\"frequency\":\"144\",\"h_plane_m\":null,\"h_plane_ft\":null,\"e_plane_m\":4.02469094287112,"
       "\"e_plane_ft\":13.2043670330093,\"h_plane_lambda\":null,\"e_plane_lambda\":1.93185165257814}\n"},
      {"a distance shown as 1.79769313486232e308 is the largest double in JSON, not null",
       {"--json", "60", "60", "1.6688053938804014e-306"},
       "{\"frequency\":\"1.6688053938804014e-306\",\"h_plane_m\":1.7976931348623157e+308,\"h_plane_ft\":null,"
       "\"e_plane_m\":1.7976931348623157e+308,\"e_plane_ft\":null}\n"},
  };
  for (const Case& c : cases) {
    Check(c);
  }
}

TEST(LobrinCalc, UsageAndMistakes) {
  const std::string badDegrees = "--tolerance takes a number of degrees, at least 0, not '";
  const Case cases[] = {
      {"missing everything", {}, "", 2, "lobrin-calc: missing H-PLANE beamwidth\n" + kUsage},
      {"missing the frequency", {"32", "30"}, "", 2, "missing FREQUENCY"},
      {"missing the E-plane after --", {"--csv", "--", "32"}, "", 2, "missing E-PLANE"},
      {"unknown option", {"--tsv", "32", "30", "144"}, "", 2, "unknown option '--tsv'\n" + kUsage},
      {"an option after -- is a text, --help too", {"--", "--help", "30"}, "", 2, "missing FREQUENCY"},
      {"the version, whatever else is given", {"32", "--version"}, "lobrin-calc 1.05\n"},
      {"--batch without FILE", {"--batch"}, "", 2, "option '--batch' needs a FILE\n" + kUsage},
      {"--batch takes no texts", {"--batch", "-", "32"}, "", 2, "not from the arguments ('32')"},
      {"--tolerance without DEG",
       {"32", "30", "144", "--tolerance"},
       "",
       2,
       "option '--tolerance' needs DEG"},
      {"DEG below 0", {"--tolerance", "-1", "32", "30", "144"}, "", 2, badDegrees + "-1'\n"},
      {"DEG beyond the double range",
       {"--tolerance", "1e999", "32", "30", "144"},
       "",
       2,
       badDegrees + "1e999'"},
  };
  for (const Case& c : cases) {
    Check(c);
  }
  for (const char* degrees :
       {"", "abc", "1deg", " 1", "1 ", "1,5", "0x10", "nan", "inf", "1e", ".", "+", "--1"}) {
    const CommandResult result = RunCommand({"--tolerance", degrees, "32", "30", "144"});
    EXPECT_EQ(result.exitCode, 2) << "'" << degrees << "'";
    EXPECT_NE(result.err.find(badDegrees + degrees + "'"), std::string::npos) << result.err;
  }
  for (const char* degrees : {"0", "-0", "+2", "1.5", ".5", "2.", "1e0", "0.1E+1"}) {
    EXPECT_EQ(RunCommand({"--tolerance", degrees, "32", "30", "144"}).exitCode, 0) << "'" << degrees << "'";
  }

  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"}, std::vector<std::string>{"32", "--help"}}) {
    const CommandResult help = RunCommand(arguments);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind(kUsage, 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
  }
}

// DEG may carry an exponent of either sign: the band is the same as for the
// same number written out.
TEST(LobrinCalc, ToleranceWithAnExponentIsTheSameNumberWrittenOut) {
  const struct {
    const char* withExponent;
    const char* writtenOut;
  } cases[] = {{"1e-1", "0.1"}, {"25E-1", "2.5"}, {"0.05e+2", "5"}, {"1e-0", "1"}};
  for (const auto& c : cases) {
    const CommandResult exponent = RunCommand({"--tolerance", c.withExponent, "32", "30", "144"});
    const CommandResult plain = RunCommand({"--tolerance", c.writtenOut, "32", "30", "144"});
    EXPECT_EQ(exponent.exitCode, 0) << c.withExponent << ": " << exponent.err;
    EXPECT_EQ(exponent.out, plain.out) << c.withExponent;
    EXPECT_NE(plain.out.find("H-plane m low"), std::string::npos) << plain.out;
  }
}

}  // namespace
}  // namespace lobrin::calc_test
