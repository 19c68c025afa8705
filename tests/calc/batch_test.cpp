// lobrin-calc --batch: CSV records in, a row per record out (CSV or JSON
// Lines), bad records reported with the good rows around them kept, memory
// bounded on an endless record.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/calc/command.h"

namespace lobrin::calc_test {
namespace {

const std::string kHeader = "h_plane,e_plane,frequency,h_plane_m,h_plane_ft,e_plane_m,e_plane_ft\r\n";
const std::string k32And30At144 = "3.77912008181594,12.398688329225,4.02469094287112,13.2043670330093";
const std::string kE30At144 = "4.02469094287112,13.2043670330093";
const std::string k30And30At144 = kE30At144 + "," + kE30At144;
const std::string kAt432 = "1.33288373407207,4.37297827009301,1.41059344747959,4.62793140622894";

struct BatchCase {
  const char* what;
  std::string input;     // standard input, read through --batch -
  std::string out;       // the whole standard output
  std::string err = "";  // the whole standard error
  std::vector<std::string> options = {};
};

void Check(const BatchCase& c) {
  std::vector<std::string> arguments = c.options;
  arguments.insert(arguments.end(), {"--batch", "-"});
  const CommandResult result = RunCommand(arguments, c.input);
  EXPECT_EQ(result.out, c.out) << c.what;
  EXPECT_EQ(result.err, c.err) << c.what;
  EXPECT_EQ(result.exitCode, c.err.empty() ? 0 : 1) << c.what;
}

// The records of lobrin-calc's CSV output after its header, each without its CR LF.
std::vector<std::string> ResultLines(const std::string& csv) {
  std::vector<std::string> lines;
  for (std::size_t at = csv.find("\r\n"); at != std::string::npos && at + 2 < csv.size();) {
    const std::size_t end = csv.find("\r\n", at + 2);
    lines.push_back(csv.substr(at + 2, end - at - 2));
    at = end;
  }
  return lines;
}

// The fields of one CSV record without line ends in it, quotes removed.
std::vector<std::string> Fields(const std::string& record) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < record.size(); ++i) {
    if (record[i] == '"' && quoted && i + 1 < record.size() && record[i + 1] == '"') {
      fields.back() += record[++i];
    } else if (record[i] == '"') {
      quoted = !quoted;
    } else if (record[i] == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += record[i];
    }
  }
  return fields;
}

// Records of three texts, every field quoted.
std::string CsvOf(const std::vector<std::vector<std::string>>& inputs) {
  std::string csv;
  for (const std::vector<std::string>& input : inputs) {
    for (std::size_t i = 0; i < input.size(); ++i) {
      std::string field;
      for (char c : input[i]) {
        field += c == '"' ? "\"\"" : std::string(1, c);
      }
      csv += (i > 0 ? ",\"" : "\"") + field + "\"";
    }
    csv += "\n";
  }
  return csv;
}

TEST(Batch, ARowPerRecordInOrder) {
  const BatchCase cases[] = {
      {"a header skipped; LF and CR LF line ends; blank lines skipped",
       "h_plane,e_plane,frequency\r\n32,30,144\n\n  \t\r\n\r\n30.2,28.5,432\r\n",
       kHeader + "32,30,144," + k32And30At144 + "\r\n30.2,28.5,432," + kAt432 + "\r\n"},
      {"a header after a UTF-8 byte order mark", "\xEF\xBB\xBFh_plane,e_plane,frequency\n30.2,28.5,432\n",
       kHeader + "30.2,28.5,432," + kAt432 + "\r\n"},
      {"no header, no line end at the end", "30.2,28.5,432", kHeader + "30.2,28.5,432," + kAt432 + "\r\n"},
      {"nothing at all", "", kHeader},
      {"the header's names further down are texts, read as the window reads them: no digits, 0",
       "32,30,144\nh_plane,e_plane,frequency\n",
       kHeader + "32,30,144," + k32And30At144 + "\r\nh_plane,e_plane,frequency,,,,\r\n"},
      {"quoted fields: commas, doubled quotes, line ends and a lone CR inside, written back quoted",
       "\"30,5\",\"3\"\"0\",\"1\n44\"\r\n\"32\",30,\"14\r4\"\n",
       kHeader + "\"30,5\",\"3\"\"0\",\"1\n44\",2.25591726062521,7.40130358534962," + kE30At144 +
           "\r\n32,30,\"14\r4\"," + k32And30At144 + "\r\n"},
      {"texts as typed: spaces kept, read leniently", " 32 , 30deg,1.44e2\n",
       kHeader + " 32 , 30deg,1.44e2," + k32And30At144 + "\r\n"},
      {"an empty box prints empty; a frequency without digits gives 0", "0,30,144\n32,30,\n",
       kHeader + "0,30,144,,," + kE30At144 + "\r\n32,30,,0,0,0,0\r\n"},
  };
  for (const BatchCase& c : cases) {
    Check(c);
  }
}

TEST(Batch, BadRecordsAreReportedAndTheGoodOnesAroundThemKept) {
  const std::string good = "32,30,144\n";
  const std::string goodRow = "32,30,144," + k32And30At144 + "\r\n";
  const std::string where = "lobrin-calc: standard input:";
  const BatchCase cases[] = {
      {"too few and too many fields", good + "32,30\n" + good + "1,2,3,4\nx\n" + good,
       kHeader + goodRow + goodRow + goodRow,
       where + "2: 2 fields, expected 3\n" + where + "4: 4 fields, expected 3\n" + where +
           "5: 1 field, expected 3\n"},
      {"the line is where a record starts, even past line ends in quotes",
       "\"3\n2\",30\n" + good + "\"a\nb\nc\",1,2,3\n" + good, kHeader + goodRow + goodRow,
       where + "1: 2 fields, expected 3\n" + where + "4: 4 fields, expected 3\n"},
      {"a NUL byte", good + std::string("32,3\0,144\n", 10) + good, kHeader + goodRow + goodRow,
       where + "2: NUL byte in record\n"},
      {"a NUL byte in a quoted field", std::string("\"\0\"\n", 4) + good, kHeader + goodRow,
       where + "1: NUL byte in record\n"},
      {"a record over 64 KiB, reported once", good + "32," + std::string(70000, '3') + ",144\n" + good,
       kHeader + goodRow + goodRow, where + "2: record longer than 65536 bytes\n"},
      {"a record of exactly 64 KiB is good", "32,30," + std::string(65536 - 6 - 3, '0') + "144\r\n" + good,
       kHeader + "32,30," + std::string(65536 - 9, '0') + "144," + k32And30At144 + "\r\n" + goodRow},
      {"lines inside a skipped overlong record still count",
       "\"" + std::string(40000, 'a') + "\n" + std::string(40000, 'b') + "\n\",1,2\n32,30\n" + good,
       kHeader + goodRow,
       where + "1: record longer than 65536 bytes\n" + where + "4: 2 fields, expected 3\n"},
      {"a stray quote costs only its own line", good + "30,\"28,144\n" + good + "1,2\n" + good,
       kHeader + goodRow + goodRow + goodRow,
       where + "2: quoted field not closed before the end of the input\n" + where +
           "4: 2 fields, expected 3\n"},
      {"a quote closed on the next line makes one record of the two", "\"\n\"\n" + good, kHeader + goodRow,
       where + "1: 1 field, expected 3\n"},
      {"a stray quote on the last line", good + "30,30,\"144", kHeader + goodRow,
       where + "2: quoted field not closed before the end of the input\n"},
  };
  for (const BatchCase& c : cases) {
    Check(c);
  }
}

TEST(Batch, FilesByNameAndFilesThatCannotBeRead) {
  char name[] = "/tmp/lobrin_batch_XXXXXX.csv";
  const int descriptor = mkstemps(name, 4);
  ASSERT_GE(descriptor, 0);
  close(descriptor);
  std::ofstream(name, std::ios::binary) << "32,30,144\n32,30\n";
  const CommandResult named = RunCommand({"--batch", name});
  EXPECT_EQ(named.out, kHeader + "32,30,144," + k32And30At144 + "\r\n");
  EXPECT_EQ(named.err, "lobrin-calc: " + std::string(name) + ":2: 2 fields, expected 3\n");
  EXPECT_EQ(named.exitCode, 1);
  unlink(name);

  const struct {
    std::string file, err;
  } unreadable[] = {
      {"/nonexistent/antennas.csv", "lobrin-calc: /nonexistent/antennas.csv: No such file or directory\n"},
      {"/tmp", "lobrin-calc: /tmp: Is a directory\n"},
  };
  for (const auto& file : unreadable) {
    const CommandResult result = RunCommand({"--batch", file.file});
    EXPECT_EQ(result.exitCode, 1) << file.file;
    EXPECT_EQ(result.err, file.err);
    EXPECT_EQ(result.out.find("32,30"), std::string::npos) << file.file;
  }
}

// A full disk is a failure, said as such, in either mode; a long batch stops at the first failed write.
TEST(Batch, AnOutputThatCannotBeWrittenIsAFailure) {
  std::string manyRecords;
  for (int i = 0; i < 5000; ++i) {
    manyRecords += "32,30,144\n";
  }
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--batch", "-"}, std::vector<std::string>{"32", "30", "144"}}) {
    const CommandResult result = RunCommandWritingTo(arguments, manyRecords, "/dev/full");
    EXPECT_EQ(result.exitCode, 1) << arguments[0];
    EXPECT_EQ(result.err, "lobrin-calc: standard output: No space left on device\n") << arguments[0];
  }
}

// Inputs across the calculator's paths: worked examples, lenient texts, empty
// planes, no wavelength, and distances at the ends of the double range.
const std::vector<std::vector<std::string>> kInputs = {
    {"32", "30", "144"},
    {"30.2", "28.5", "432"},
    {"22", "22", "1296"},
    {"60", "60", "50"},
    {"180", "180", "144"},
    {"359.9", "0.1", "144"},
    {"30,5", "30deg", "1.44e2"},
    {"0", "-30", "144"},
    {"32", "deg", "144"},
    {"1e999", "30", "144"},
    {"32", "30", ""},
    {"32", "30", "0"},
    {"32", "30", "1e999"},
    {"1e-307", "30", "1e-305"},
    {"1e-300", "1e-307", "3000"},
    {"360", "720", "144"},
    {"60", "60", "1.6688053938804014e-306"},
    {"0.001", "300", "10000000"},
};

TEST(Batch, ARowShowsWhatTheSameTextsAsArgumentsShow) {
  const CommandResult batch = RunCommand({"--batch", "-"}, CsvOf(kInputs));
  const std::vector<std::string> rows = ResultLines(batch.out);
  ASSERT_EQ(rows.size(), kInputs.size());
  for (std::size_t i = 0; i < kInputs.size(); ++i) {
    const std::vector<std::string>& input = kInputs[i];
    const std::vector<std::string> alone =
        ResultLines(RunCommand({"--csv", "--", input[0], input[1], input[2]}).out);
    ASSERT_EQ(alone.size(), 1u);
    std::vector<std::string> expected = Fields(alone[0]);
    expected.insert(expected.begin(), input.begin(), input.begin() + 2);
    EXPECT_EQ(Fields(rows[i]), expected) << rows[i];
  }
}

// The tolerance band and the wavelengths are computed with the graph's own
// steps: with DEG 0 both ends are the metres box, text for text, wherever the
// beamwidth is inside (0, 360); D/lambda times the wavelength is D.
TEST(Batch, TheExtraColumnsFollowTheWindowsSteps) {
  std::vector<std::vector<std::string>> inputs(std::begin(kInputs), std::end(kInputs));
  for (const char* beamwidth :
       {"0.5", "1", "7.3", "45", "89.99", "90", "123.456", "179", "181", "300", "359.999"}) {
    for (const char* frequency : {"1.8", "50", "144", "432", "10368", "0.00001"}) {
      inputs.push_back({beamwidth, "30", frequency});
    }
  }
  const CommandResult band = RunCommand({"--wavelengths", "--tolerance", "0", "--batch", "-"}, CsvOf(inputs));
  ASSERT_EQ(band.exitCode, 0) << band.err;
  const std::vector<std::string> rows = ResultLines(band.out);
  ASSERT_EQ(rows.size(), inputs.size());
  int shown = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::vector<std::string> cells = Fields(rows[i]);
    ASSERT_EQ(cells.size(), 13u) << rows[i];
    for (int plane = 0; plane < 2; ++plane) {
      const std::string& metres = cells[3 + 2 * plane];
      const std::string& lambda = cells[7 + plane];
      const double beamwidth = std::strtod(inputs[i][plane].c_str(), nullptr);
      if (beamwidth > 0 && beamwidth < 360) {
        EXPECT_EQ(cells[9 + 2 * plane], metres) << rows[i];
        EXPECT_EQ(cells[10 + 2 * plane], metres) << rows[i];
      }
      if (metres.empty()) {
        EXPECT_EQ(lambda, "") << rows[i];
      }
      const double wavelength = 300 / std::strtod(inputs[i][2].c_str(), nullptr);
      if (metres.empty() || metres == "0" || !(wavelength > 0 && std::isfinite(wavelength))) {
        continue;
      }
      const double d = std::strtod(metres.c_str(), nullptr);
      if (std::isinf(d)) {
        continue;  // 1.79769313486232e308 reads back beyond the double range
      }
      if (lambda.empty()) {
        EXPECT_TRUE(std::isinf(d / wavelength)) << "no D/lambda only beyond the double range: " << rows[i];
      } else {
        // Each text is within half a unit of its 15th digit.
        EXPECT_NEAR(std::strtod(lambda.c_str(), nullptr) * wavelength / d, 1.0, 1e-14) << rows[i];
        ++shown;
      }
    }
  }
  EXPECT_GT(shown, 100) << "the wavelengths were compared";
}

TEST(Batch, ToleranceEndsOutsideTheCircleAreEmpty) {
  const std::string columns = kHeader.substr(0, kHeader.size() - 2) +
                              ",h_plane_m_low,h_plane_m_high,e_plane_m_low,e_plane_m_high\r\n";
  const BatchCase cases[] = {
      {"0.5 - 1 is not above 0; 359.5 + 1 is not below 360; 360 - 1 is; a beamwidth of 0 has an end at 1",
       "0.5,359.5,144\n0,1e999,144\n-30,360,144\n",
       columns + "0.5,359.5,144,238.733172160902,783.245340552373,238.733172160899,783.245340552364," +
           "79.5797441555084,,,79.5797441555081\r\n" + "0,1e999,144,,,,,119.367722375136,,,\r\n" +
           "-30,360,144,-4.02469094287112,-13.2043670330093,19627536680402600,64394807442532100,,,," +
           "119.367722375135\r\n",
       "",
       {"--tolerance", "1"}},
      {"a band wider than the beamwidth has its upper end empty",
       "30,30,144\n",
       columns + "30,30,144," + k30And30At144 + ",2.05239001164394,,2.05239001164394,\r\n",
       "",
       {"--tolerance", "31"}},
  };
  for (const BatchCase& c : cases) {
    Check(c);
  }
}

// Where a value meets the end of its range: a distance beyond the double range
// is the largest double in JSON with its sign kept; a tolerance end of exactly
// 360 degrees is outside the circle, so that end of the band is empty (B + DEG
// gives the shorter distance, the "_low" column).
TEST(Batch, TheEndsOfTheDoubleRangeAndOfTheCircle) {
  const std::string tolerance = kHeader.substr(0, kHeader.size() - 2) +
                                ",h_plane_m_low,h_plane_m_high,e_plane_m_low,e_plane_m_high\r\n";
  const BatchCase cases[] = {
      {"a negative distance beyond the double range is the most negative double in JSON",
       "-60,-60,1.6688053938804014e-306\n60,60,1.6688053938804014e-306\n",
       "{\"h_plane\":\"-60\",\"e_plane\":\"-60\",\"frequency\":\"1.6688053938804014e-306\","
       "\"h_plane_m\":-1.7976931348623157e+308,\"h_plane_ft\":null,"
       "\"e_plane_m\":-1.7976931348623157e+308,\"e_plane_ft\":null}\n"
       "{\"h_plane\":\"60\",\"e_plane\":\"60\",\"frequency\":\"1.6688053938804014e-306\","
       "\"h_plane_m\":1.7976931348623157e+308,\"h_plane_ft\":null,"
       "\"e_plane_m\":1.7976931348623157e+308,\"e_plane_ft\":null}\n",
       "",
       {"--json"}},
      {"359 + 1 is not below 360: the low end of that plane is empty, in either plane",
       "359,30,144\n30,359,144\n",
       tolerance + "359,30,144,119.367722375135,391.626398277238," + kE30At144 + ",,59.6861338526563," +
           "3.89789326650312,4.16034287802061\r\n" + "30,359,144," + kE30At144 +
           ",119.367722375135,391.626398277238,3.89789326650312,4.16034287802061,,59.6861338526563\r\n",
       "",
       {"--tolerance", "1"}},
  };
  for (const BatchCase& c : cases) {
    Check(c);
  }
}

// JSON Lines, read back with a JSON parser: the CSV's names in its order, the
// texts as strings, each result the CSV's text read as a double, null for empty.
TEST(Batch, JsonLinesCarryTheCsvValues) {
  std::vector<std::vector<std::string>> inputs = kInputs;
  inputs.push_back({"30\xb0", "\"30\"", "144 MHz"});
  const std::string csvInput = CsvOf(inputs);
  const std::vector<std::string> options = {"--wavelengths", "--tolerance", "2.5", "--batch", "-"};
  const CommandResult csv = RunCommand(options, csvInput);
  std::vector<std::string> jsonOptions = options;
  jsonOptions.insert(jsonOptions.begin(), "--json");
  const CommandResult json = RunCommand(jsonOptions, csvInput);
  ASSERT_EQ(json.exitCode, 0) << json.err;

  const std::vector<std::string> names = Fields(csv.out.substr(0, csv.out.find('\r')));
  const std::vector<std::string> rows = ResultLines(csv.out);
  std::istringstream lines(json.out);
  std::string line;
  std::size_t row = 0;
  for (; std::getline(lines, line); ++row) {
    ASSERT_LT(row, rows.size());
    const nlohmann::ordered_json object = nlohmann::ordered_json::parse(line);
    const std::vector<std::string> cells = Fields(rows[row]);
    ASSERT_EQ(object.size(), names.size()) << line;
    std::size_t c = 0;
    for (const auto& [name, value] : object.items()) {
      EXPECT_EQ(name, names[c]) << line;
      if (c < 3) {
        const std::string expected = row + 1 == inputs.size() && c == 0 ? "30\xEF\xBF\xBD" : inputs[row][c];
        EXPECT_EQ(value, expected) << line;
      } else if (cells[c].empty()) {
        EXPECT_TRUE(value.is_null()) << name << " in " << line;
      } else {
        ASSERT_TRUE(value.is_number()) << name << " in " << line;
        const double expected = std::strtod(cells[c].c_str(), nullptr);
        EXPECT_EQ(value.get<double>(),
                  std::isinf(expected) ? std::copysign(1.7976931348623157e308, expected) : expected)
            << name << " in " << line;
      }
      ++c;
    }
  }
  EXPECT_EQ(row, inputs.size());
}

// A record that never ends: 1 GiB without a line end, then a good record. The
// long one is reported once, the good one computed, and memory stays low.
TEST(Batch, AnEndlessRecordKeepsMemoryBounded) {
  constexpr std::size_t kGibibyte = std::size_t{1} << 30;
  constexpr long kPeakBoundKilobytes = 100L * 1024;
  const auto start = std::chrono::steady_clock::now();
  const CommandResult result = RunCommandFed({"--batch", "-"}, [&](int pipe) {
    const std::string piece = [] {
      std::string text;
      while (text.size() < (1u << 20)) {
        text += "30,30,144,";
      }
      return text.substr(0, 1u << 20);
    }();
    for (std::size_t sent = 0; sent < kGibibyte; sent += piece.size()) {
      if (!WriteAll(pipe, piece.data(), piece.size())) {
        return;
      }
    }
    WriteAll(pipe, "\n32,30,144\n", 11);
  });
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(result.err, "lobrin-calc: standard input:1: record longer than 65536 bytes\n");
  EXPECT_EQ(result.out, kHeader + "32,30,144," + k32And30At144 + "\r\n");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_LT(result.peakKilobytes, kPeakBoundKilobytes);
  std::printf("1 GiB record: %.1f s, memory peak %ld KB\n", seconds, result.peakKilobytes);
}

}  // namespace
}  // namespace lobrin::calc_test
