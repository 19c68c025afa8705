// The CSV reader on its own: records, their lines and their problems, the
// same whatever the size of the chunks the input is read in, so that a line
// end, a doubled quote or the limit split across two chunks reads as whole.
#include "app/calc/csv_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace lobrin::calc {
namespace {

struct Outcome {
  std::uint64_t line;
  std::vector<std::string> fields;  // of a good record
  std::string problem = "";         // of a bad one
  bool operator==(const Outcome& other) const {
    return line == other.line && fields == other.fields && problem == other.problem;
  }
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
  out << outcome.line << ":";
  for (const std::string& field : outcome.fields) {
    out << " [" << field << "]";
  }
  return out << (outcome.problem.empty() ? "" : " problem: ") << outcome.problem;
}

std::vector<Outcome> ReadAll(const std::string& input, std::size_t chunkSize) {
  std::vector<Outcome> outcomes;
  std::FILE* stream =
      input.empty() ? std::tmpfile() : fmemopen(const_cast<char*>(input.data()), input.size(), "rb");
  CsvReader reader(stream, chunkSize);
  CsvRecord record;
  std::string problem;
  for (;;) {
    const CsvReader::Status status = reader.Next(record, problem);
    if (status == CsvReader::Status::kRecord) {
      outcomes.push_back({record.line, record.fields});
    } else if (status == CsvReader::Status::kBadRecord) {
      outcomes.push_back({record.line, {}, problem});
    } else {
      EXPECT_EQ(status, CsvReader::Status::kEnd);
      break;
    }
  }
  std::fclose(stream);
  return outcomes;
}

const std::string kTooLong = "record longer than 65536 bytes";
const std::string kNul = "NUL byte in record";
const std::string kOpen = "quoted field not closed before the end of the input";

TEST(CsvReader, RecordsLinesAndProblemsInAnyChunkSize) {
  const struct {
    const char* what;
    std::string input;
    std::vector<Outcome> expected;
  } cases[] = {
      {"nothing", "", {}},
      {"LF, CR LF, and no line end at the end",
       "a,b\r\nc\nd,,",
       {{1, {"a", "b"}}, {2, {"c"}}, {3, {"d", "", ""}}}},
      {"blank lines: empty, CR LF alone, spaces and tabs", "\n\r\n \t\na\n\n", {{4, {"a"}}}},
      {"a lone CR is a character, at the end of the input too", "a\rb,c\r", {{1, {"a\rb", "c\r"}}}},
      {"quoted: separators, line ends and doubled quotes inside",
       "\"a,b\",\"c\r\nd\",\"e\"\"f\"\"\"\ng\n",
       {{1, {"a,b", "c\r\nd", "e\"f\""}}, {3, {"g"}}}},
      {"quoted empty fields and a quoted field of spaces are not blank",
       "\"\"\n\" \"\n",
       {{1, {""}}, {2, {" "}}}},
      {"read leniently: a quote inside an unquoted field, text after a closing quote",
       "a\"b,\"c\"d,\"e\"\"\"\n",
       {{1, {"a\"b", "cd", "e\""}}}},
      {"NUL bytes, quoted or not",
       std::string("a\0b\n\"\0\"\nc\n", 10),
       {{1, {}, kNul}, {2, {}, kNul}, {3, {"c"}}}},
      {"a stray quote: its first line reported, the lines after it read again",
       "a\nb,\"c\nd\ne\n",
       {{1, {"a"}}, {2, {}, kOpen}, {3, {"d"}}, {4, {"e"}}}},
      {"a quote left open on the last line", "a\n\"b", {{1, {"a"}}, {2, {}, kOpen}}},
      {"exactly the limit, its line end not counted",
       std::string(65536, 'x') + "\r\ny",
       {{1, {std::string(65536, 'x')}}, {2, {"y"}}}},
      {"one byte more, quoted and over lines: reported once, lines still counted",
       "\"" + std::string(65534, 'x') + "\n\"\"\n\n\"\ny",
       {{1, {}, kTooLong}, {5, {"y"}}}},
      {"too long, then a quote left open: the first problem is the one reported",
       std::string(65537, 'x') + ",\"\nz\n",
       {{1, {}, kTooLong}}},
  };
  for (const auto& c : cases) {
    for (std::size_t chunkSize :
         {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, CsvReader::kChunkSize}) {
      EXPECT_EQ(ReadAll(c.input, chunkSize), c.expected) << c.what << ", chunks of " << chunkSize;
    }
  }
}

}  // namespace
}  // namespace lobrin::calc
