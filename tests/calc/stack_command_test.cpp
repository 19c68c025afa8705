// lobrin-calc --stack run as a command: the columns and formats, the
// figures the model gives for the stack the arguments describe, the sweep,
// the chart, and every bad input named with exit 2 (in a batch, FILE:LINE
// and the other records still computed).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_figures.h"
#include "chart/chart_layout.h"
#include "chart/svg.h"
#include "stack/stack_model.h"
#include "tests/calc/command.h"

namespace lobrin::calc_test {
namespace {

const std::string kStackHeader =
    "frequency,spacing_e_m,spacing_h_m,spacing_e_lambda,spacing_h_lambda,gain_e_db,gain_h_db,gain_db,"
    "beamwidth_e_deg,beamwidth_h_deg,lobe_e_db,lobe_e_deg,lobe_h_db,lobe_h_deg";
// The window's distances of the worked example (32 degrees H, 30 degrees E) at 144 and 432 MHz.
const std::string kE144 = "4.02469094287112";
const std::string kH144 = "3.77912008181594";
const std::string kE432 = "1.34156364762371";

// The CSV records of `csv`, each split into its fields (no quotes in these outputs).
std::vector<std::vector<std::string>> Records(const std::string& csv) {
  std::vector<std::vector<std::string>> records;
  std::size_t at = 0;
  while (at < csv.size()) {
    const std::size_t end = csv.find("\r\n", at);
    const std::string line = csv.substr(at, end - at);
    std::vector<std::string> fields(1);
    for (char c : line) {
      if (c == ',') {
        fields.emplace_back();
      } else {
        fields.back() += c;
      }
    }
    records.push_back(fields);
    at = end == std::string::npos ? csv.size() : end + 2;
  }
  return records;
}

double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The figures the model gives for a stack: what the command must print, to its last shown digit.
struct Expected {
  stack::Stack stack;
  stack::StackFigures figures;
};
Expected ModelOf(double hDeg, double eDeg, int baysE, int baysH, double eMetres, double hMetres, double mhz,
                 std::optional<double> sidelobes = std::nullopt) {
  Expected e;
  e.stack.antenna.beamwidthHDeg = hDeg;
  e.stack.antenna.beamwidthEDeg = eDeg;
  e.stack.antenna.sidelobeDb = sidelobes;
  e.stack.baysE = baysE;
  e.stack.baysH = baysH;
  e.stack.spacingELambda = eMetres / stack::WavelengthMetres(mhz);
  e.stack.spacingHLambda = hMetres / stack::WavelengthMetres(mhz);
  e.figures = stack::Evaluate(e.stack);
  return e;
}

// A record's figures against the model's, each within half its last shown digit.
void ExpectFigures(const std::vector<std::string>& f, std::size_t first, const Expected& e,
                   const std::string& what) {
  const stack::StackFigures& m = e.figures;
  const struct {
    std::size_t column;
    std::optional<double> value;
    double halfDigit;
  } checks[] = {
      {2, e.stack.spacingELambda, 5e-5},
      {3, e.stack.spacingHLambda, 5e-5},
      {4, m.gainEDb, 5e-4},
      {5, m.gainHDb, 5e-4},
      {6, m.gainDb, 5e-4},
      {7, m.e.beamwidthDeg, 5e-3},
      {8, m.h.beamwidthDeg, 5e-3},
      {9, m.e.strongestLobe ? std::optional<double>(m.e.strongestLobe->levelDb) : std::nullopt, 5e-4},
      {10, m.e.strongestLobe ? std::optional<double>(m.e.strongestLobe->angleDeg) : std::nullopt, 5e-3},
      {11, m.h.strongestLobe ? std::optional<double>(m.h.strongestLobe->levelDb) : std::nullopt, 5e-4},
      {12, m.h.strongestLobe ? std::optional<double>(m.h.strongestLobe->angleDeg) : std::nullopt, 5e-3},
  };
  for (const auto& c : checks) {
    const std::string& text = f[first + c.column];
    if (!c.value) {
      EXPECT_EQ(text, "") << what << " column " << c.column;
      continue;
    }
    EXPECT_NEAR(Number(text), *c.value, c.halfDigit * 1.0001)
        << what << " column " << c.column << ": " << text;
  }
}

TEST(StackCommand, RowsHoldTheModelsFiguresForTheGivenStack) {
  struct Case {
    const char* what;
    std::vector<std::string> arguments;
    std::vector<std::string> frequencies;  // as printed
    std::vector<std::string> metres;       // E then H, per frequency
    Expected expected;
  };
  const Case cases[] = {
      {"the worked example at the DL6WU distances",
       {"--stack", "--csv", "32", "30", "144"},
       {"144"},
       {kE144, kH144},
       ModelOf(32, 30, 2, 2, Number(kE144), Number(kH144), 144)},
      {"H before E on the command line: 4 x 1 in the E-plane is the 30-degree plane",
       {"--stack", "--csv", "--bays-e", "4", "--bays-h", "1", "32", "30", "144"},
       {"144"},
       {kE144, kH144},
       ModelOf(32, 30, 4, 1, Number(kE144), Number(kH144), 144)},
      {"spacings given in metres, sidelobes 20 dB below the peak",
       {"--stack", "--csv", "--spacing-e", "3", "--spacing-h", "2.5", "--sidelobes", "20", "--bays-h", "3",
        "32", "30", "144"},
       {"144"},
       {"3", "2.5"},
       ModelOf(32, 30, 2, 3, 3, 2.5, 144, 20.0)},
      {"one antenna alone: no gain, no lobe",
       {"--stack", "--csv", "--bays-e", "1", "--bays-h", "1", "32", "30", "432"},
       {"432"},
       {kE432, "1.25970669393865"},
       ModelOf(32, 30, 1, 1, Number(kE432), 1.25970669393865, 432)},
  };
  for (const Case& c : cases) {
    const CommandResult result = RunCommand(c.arguments);
    ASSERT_EQ(result.exitCode, 0) << c.what << ": " << result.err;
    EXPECT_EQ(result.err, "") << c.what;
    const std::vector<std::vector<std::string>> records = Records(result.out);
    ASSERT_EQ(records.size(), 1 + c.frequencies.size()) << c.what << ": " << result.out;
    EXPECT_EQ(result.out.substr(0, kStackHeader.size() + 2), kStackHeader + "\r\n") << c.what;
    const std::vector<std::string>& f = records[1];
    ASSERT_EQ(f.size(), 14u) << c.what;
    EXPECT_EQ(f[0], c.frequencies[0]) << c.what;
    EXPECT_EQ(f[1], c.metres[0]) << c.what;
    EXPECT_EQ(f[2], c.metres[1]) << c.what;
    ExpectFigures(f, 1, c.expected, c.what);
  }
}

TEST(StackCommand, FormatsShowTheSameRow) {
  const std::vector<std::string> stackOf = {"--stack", "--bays-e", "1", "32", "30", "144", "432"};
  auto with = [&](const char* format) {
    std::vector<std::string> arguments = stackOf;
    if (format != nullptr) {
      arguments.insert(arguments.begin(), format);
    }
    return RunCommand(arguments);
  };
  const CommandResult csv = with("--csv");
  const CommandResult json = with("--json");
  const CommandResult table = with(nullptr);
  const std::vector<std::vector<std::string>> records = Records(csv.out);
  ASSERT_EQ(records.size(), 3u);
  // Fixed decimals: 4 for wavelengths, 3 for dB, 2 for degrees; a 1 x 2 line has no E-plane lobe.
  for (std::size_t r = 1; r < records.size(); ++r) {
    const std::vector<std::string>& f = records[r];
    EXPECT_EQ(f[3].size() - f[3].find('.'), 5u) << f[3];
    EXPECT_EQ(f[7].size() - f[7].find('.'), 4u) << f[7];
    EXPECT_EQ(f[8].size() - f[8].find('.'), 3u) << f[8];
    EXPECT_EQ(f[10], "");
    EXPECT_EQ(f[11], "");
    EXPECT_EQ(f[5], "0.000");
  }
  // JSON: the frequency a string, figures numbers, a missing lobe null, in the CSV's order.
  std::vector<nlohmann::ordered_json> objects;
  std::size_t at = 0;
  for (std::size_t end; (end = json.out.find('\n', at)) != std::string::npos; at = end + 1) {
    objects.push_back(nlohmann::ordered_json::parse(json.out.substr(at, end - at)));
  }
  ASSERT_EQ(objects.size(), 2u);
  const std::vector<std::string> names = Records(kStackHeader + "\r\n")[0];
  for (std::size_t r = 0; r < objects.size(); ++r) {
    std::size_t c = 0;
    for (const auto& [name, value] : objects[r].items()) {
      ASSERT_LT(c, names.size());
      EXPECT_EQ(name, names[c]);
      const std::string& cell = records[r + 1][c];
      if (c == 0) {
        EXPECT_EQ(value, cell);
      } else if (cell.empty()) {
        EXPECT_TRUE(value.is_null()) << name;
      } else {
        EXPECT_EQ(value.get<double>(), Number(cell)) << name;
      }
      ++c;
    }
    EXPECT_EQ(c, names.size());
  }
  // The table: a header line and the same texts, right-aligned.
  ASSERT_EQ(table.exitCode, 0);
  EXPECT_EQ(table.out.rfind("frequency", 0), 0u) << table.out;
  EXPECT_NE(table.out.find("E spacing lambda"), std::string::npos);
  for (std::size_t r = 1; r < records.size(); ++r) {
    const std::string line =
        table.out.substr(table.out.find('\n', table.out.find(records[r][0] + "  ") - 12));
    for (const std::string& cell : records[r]) {
      EXPECT_NE(table.out.find(cell), std::string::npos) << cell;
    }
  }
}

TEST(StackCommand, SweepGivesEachPlanesLineAgainstSpacing) {
  const CommandResult result = RunCommand(
      {"--stack", "--csv", "--sweep", "0.25:1.25:0.5", "--bays-e", "3", "--sidelobes", "25", "32", "30"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::vector<std::vector<std::string>> records = Records(result.out);
  ASSERT_EQ(records.size(), 4u) << result.out;
  EXPECT_EQ(result.out.substr(0, result.out.find("\r\n")),
            "spacing_lambda,gain_e_db,lobe_e_db,gain_h_db,lobe_h_db");
  stack::Stack stack;
  stack.antenna.beamwidthHDeg = 32;
  stack.antenna.beamwidthEDeg = 30;
  stack.antenna.sidelobeDb = 25.0;
  stack.baysE = 3;
  const std::vector<stack::SweepRow> rows = stack::Sweep(stack, 0.25, 1.25, 0.5);
  ASSERT_EQ(rows.size(), 3u);
  const char* const spacings[] = {"0.2500", "0.7500", "1.2500"};
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::vector<std::string>& f = records[r + 1];
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(f[0], spacings[r]);
    EXPECT_NEAR(Number(f[1]), rows[r].gainEDb, 5e-4);
    EXPECT_NEAR(Number(f[3]), rows[r].gainHDb, 5e-4);
    for (const auto& [text, lobe] : {std::pair{f[2], rows[r].lobeEDb}, std::pair{f[4], rows[r].lobeHDb}}) {
      if (lobe) {
        EXPECT_NEAR(Number(text), *lobe, 5e-4);
      } else {
        EXPECT_EQ(text, "");
      }
    }
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// --svg writes the chart of the worked example, its DL6WU marks at the window's distances.
TEST(StackCommand, SvgIsTheChartOfTheGivenStack) {
  const std::string path = testing::TempDir() + "stack_command.svg";
  std::remove(path.c_str());
  const CommandResult result = RunCommand({"--stack", "--svg", path, "--csv", "32", "30", "144"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Records(result.out).size(), 2u);
  const Expected e = ModelOf(32, 30, 2, 2, Number(kE144), Number(kH144), 144);
  const chart::Figures figures =
      chart::FiguresOf(e.stack, e.stack.spacingELambda, e.stack.spacingHLambda,
                       chart::DefaultSweep(std::max(e.stack.spacingELambda, e.stack.spacingHLambda)),
                       "2 x 2 stack: H-plane 32 deg, E-plane 30 deg, 144 MHz, spacing E 4.025 m, H 3.779 m");
  EXPECT_EQ(ReadFile(path), chart::SvgOf(chart::LayOut(figures, 960, 600)));

  const CommandResult unwritable =
      RunCommand({"--stack", "--svg", "/nonexistent/chart.svg", "32", "30", "144"});
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_EQ(unwritable.err, "lobrin-calc: /nonexistent/chart.svg: No such file or directory\n");
  EXPECT_EQ(unwritable.out, "");
}

TEST(StackCommand, BadInputIsNamedWithExit2) {
  const struct {
    std::vector<std::string> arguments;
    std::string errHas;
  } cases[] = {
      {{"--stack", "0", "30", "144"},
       "H-PLANE beamwidth must be a number of degrees above 0 and at most 180, not '0'"},
      {{"--stack", "32", "180.5", "144"},
       "E-PLANE beamwidth must be a number of degrees above 0 and at most 180"},
      {{"--stack", "32", "1e999", "144"}, "E-PLANE beamwidth must be"},
      {{"--stack", "32", "30deg", "144"},
       "E-PLANE beamwidth must be a number of degrees above 0 and at most 180, "
       "not '30deg'"},
      {{"--stack", "32", "nan", "144"}, "E-PLANE beamwidth must be"},
      {{"--stack", "32", "30", "0"}, "FREQUENCY must be a number of MHz above 0, not '0'"},
      {{"--stack", "32", "30", "144", "-144"}, "FREQUENCY must be a number of MHz above 0, not '-144'"},
      {{"--stack", "32", "30", "inf"}, "FREQUENCY must be"},
      {{"--stack", "--bays-e", "9", "32", "30", "144"},
       "--bays-e takes a whole number of antennas from 1 to 8, not '9'"},
      {{"--stack", "--bays-h", "0", "32", "30", "144"},
       "--bays-h takes a whole number of antennas from 1 to 8"},
      {{"--stack", "--bays-h", "1.5", "32", "30", "144"}, "--bays-h takes"},
      {{"--stack", "--spacing-e", "0", "32", "30", "144"},
       "--spacing-e takes a number of metres above 0, not '0'"},
      {{"--stack", "--spacing-e", "1e999", "32", "30", "144"}, "--spacing-e takes"},
      {{"--stack", "--spacing-h", "300", "32", "30", "144"},
       "--spacing-h must be above 0 and at most 100 wavelengths, not 300 m, 144 wavelengths at 144 MHz"},
      {{"--stack", "0.5", "30", "144"},
       "the H-plane's DL6WU distance must be above 0 and at most 100 wavelengths"},
      {{"--stack", "--sidelobes", "-1", "32", "30", "144"},
       "--sidelobes takes a number of dB from 0 to 60, not '-1'"},
      {{"--stack", "--sidelobes", "60.5", "32", "30", "144"}, "--sidelobes takes"},
      {{"--stack", "--sidelobes", "nan", "32", "30", "144"}, "--sidelobes takes"},
      {{"--stack", "--sweep", "2:1:0.1", "32", "30"}, "--sweep takes FROM:TO:STEP"},
      {{"--stack", "--sweep", "0:1:0.1", "32", "30"}, "--sweep takes"},
      {{"--stack", "--sweep", "1:101:1", "32", "30"}, "--sweep takes"},
      {{"--stack", "--sweep", "1:2", "32", "30"}, "--sweep takes"},
      {{"--stack", "--sweep", "0.01:100:0.001", "32", "30"}, "asks for more than 10000 rows"},
      {{"--stack", "--sweep", "1:2:0.5", "0", "30"}, "H-PLANE beamwidth must be"},
      {{"--stack", "--spacing-e"}, "option '--spacing-e' needs a value"},
      {{"--stack", "--svg"}, "option '--svg' needs a FILE"},
      {{"--bays-e", "2", "32", "30", "144"}, "option '--bays-e' goes with --stack"},
      {{"--svg", "x.svg", "32", "30", "144"}, "option '--svg' goes with --stack"},
      {{"--stack", "--wavelengths", "32", "30", "144"}, "option '--wavelengths' does not go with --stack"},
      {{"--stack", "--tolerance", "1", "32", "30", "144"}, "option '--tolerance' does not go with --stack"},
      {{"--stack", "--svg", "x.svg", "32", "30", "144", "432"},
       "--svg draws the chart of one FREQUENCY, not 2"},
      {{"--stack", "--batch", "-", "--sweep", "1:2:1"}, "option '--sweep' does not go with --batch"},
      {{"--stack", "32", "30"}, "missing FREQUENCY"},
  };
  for (const auto& c : cases) {
    const CommandResult result = RunCommand(c.arguments);
    EXPECT_EQ(result.exitCode, 2) << c.errHas;
    EXPECT_EQ(result.out, "") << c.errHas;
    EXPECT_EQ(result.err.rfind("lobrin-calc: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(c.errHas), std::string::npos) << c.errHas << "\n got: " << result.err;
  }
}

TEST(StackCommand, BatchNamesFileAndLineAndGoesOn) {
  const std::string input =
      "h_plane,e_plane,frequency,spacing_e_m,spacing_h_m\r\n"  // 1: the header
      "32,30,144\r\n"                                          // 2
      "0,30,144\r\n"                                           // 3: no beamwidth
      "32,30,144,5,\r\n"                                       // 4: E given, H the DL6WU distance
      "32,30,144,-1,3\r\n"                                     // 5: a bad spacing
      "32,30\r\n"                                              // 6: two fields
      "32,30,432,,1\r\n"                                       // 7: H given, E the DL6WU distance
      "32,30,1,e,3\r\n"                                        // 8
      "32,30,144,300,3\r\n";                                   // 9: beyond 100 wavelengths
  for (const char* format : {"--csv", "--json"}) {
    const CommandResult result = RunCommand({"--stack", format, "--batch", "-"}, input);
    EXPECT_EQ(result.exitCode, 1) << format;
    EXPECT_EQ(
        result.err,
        "lobrin-calc: standard input:3: h_plane must be a number of degrees above 0 and at most 180, not "
        "'0'\n"
        "lobrin-calc: standard input:5: spacing_e_m must be a number of metres above 0, not '-1'\n"
        "lobrin-calc: standard input:6: 2 fields, expected 3 or 5\n"
        "lobrin-calc: standard input:8: spacing_e_m must be a number of metres above 0, not 'e'\n"
        "lobrin-calc: standard input:9: spacing_e_m must be above 0 and at most 100 wavelengths, not 300 m, "
        "144 wavelengths at 144 MHz\n")
        << format;
    std::vector<std::vector<std::string>> rows;
    if (std::string(format) == "--csv") {
      rows = Records(result.out);
      ASSERT_EQ(rows.size(), 4u) << result.out;
      EXPECT_EQ(result.out.substr(0, result.out.find("\r\n")), "h_plane,e_plane," + kStackHeader);
      rows.erase(rows.begin());
    } else {
      std::size_t at = 0;
      for (std::size_t end; (end = result.out.find('\n', at)) != std::string::npos; at = end + 1) {
        const nlohmann::ordered_json object = nlohmann::ordered_json::parse(result.out.substr(at, end - at));
        rows.push_back({object["h_plane"], object["e_plane"], object["frequency"],
                        nlohmann::json(object["spacing_e_m"]).dump(),
                        nlohmann::json(object["spacing_h_m"]).dump()});
      }
      ASSERT_EQ(rows.size(), 3u) << result.out;
    }
    const std::string spacings[][2] = {{kE144, kH144}, {"5", kH144}, {kE432, "1"}};
    for (std::size_t r = 0; r < rows.size(); ++r) {
      EXPECT_EQ(rows[r][0], "32");
      EXPECT_EQ(Number(rows[r][3]), Number(spacings[r][0])) << format << " row " << r;
      EXPECT_EQ(Number(rows[r][4]), Number(spacings[r][1])) << format << " row " << r;
    }
  }
}

}  // namespace
}  // namespace lobrin::calc_test
