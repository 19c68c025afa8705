#include "app/calc/batch.h"

#include <cerrno>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "app/calc/columns.h"
#include "app/calc/csv_reader.h"
#include "app/calc/json_report.h"
#include "app/calc/report.h"
#include "app/calc/row_calculator.h"

namespace lobrin::calc {

namespace {

constexpr std::size_t kGivenTexts = 3;  // H-plane beamwidth, E-plane beamwidth, frequency
// What a spreadsheet may write at the start of a UTF-8 file: not part of the first text.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool IsHeader(const CsvRecord& record) {
  return record.fields.size() == kGivenTexts && record.fields[0] == "h_plane" &&
         record.fields[1] == "e_plane" && record.fields[2] == "frequency";
}

// FILE opened for reading in binary mode, or null with errno set; standard input for "-".
std::FILE* OpenInput(const std::string& file) {
  if (file != "-") {
    return std::fopen(file.c_str(), "rb");
  }
#ifdef _WIN32
  // CR LF reaches the reader as it is, and a Ctrl-Z byte does not end the input.
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  return stdin;
}

void Complain(const std::string& where, const std::string& what) {
  const std::string line = "lobrin-calc: " + where + ": " + what + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace

int RunBatch(const Request& request, Output& output) {
  const std::string name = request.batchFile == "-" ? "standard input" : request.batchFile;
  std::FILE* input = OpenInput(request.batchFile);
  if (input == nullptr) {
    Complain(name, std::strerror(errno));
    return 1;
  }
  const std::vector<Column> columns = ColumnsOf(true, request.wavelengths, request.tolerance);
  const bool json = request.format == Format::kJson;
  if (!json) {
    output.text() += CsvHeaderOf(columns);
  }
  RowCalculator calculator({request.wavelengths, request.tolerance, request.toleranceDegrees});
  CsvReader reader(input);
  CsvRecord record;
  std::string problem;
  Cells cells(columns.size());
  bool allGood = true;
  for (bool first = true;; first = false) {
    const CsvReader::Status status = reader.Next(record, problem);
    if (status == CsvReader::Status::kEnd) {
      break;
    }
    if (status == CsvReader::Status::kReadError) {
      Complain(name, std::strerror(reader.readError()));
      allGood = false;
      break;
    }
    auto complainOfRecord = [&](const std::string& what) {
      Complain(name + ":" + std::to_string(record.line), what);
    };
    if (status == CsvReader::Status::kBadRecord) {
      complainOfRecord(problem);
      allGood = false;
      continue;
    }
    if (first && record.line == 1 && record.fields[0].compare(0, 3, kByteOrderMark) == 0) {
      record.fields[0].erase(0, 3);
    }
    if (first && IsHeader(record)) {
      continue;
    }
    if (record.fields.size() != kGivenTexts) {
      const std::size_t count = record.fields.size();
      complainOfRecord(std::to_string(count) + (count == 1 ? " field" : " fields") + ", expected 3");
      allGood = false;
      continue;
    }
    for (std::size_t i = 0; i < kGivenTexts; ++i) {
      cells[i].swap(record.fields[i]);
    }
    calculator.Calculate(cells[0], cells[1], cells[2], cells, kGivenTexts);
    if (json) {
      AppendJsonLine(columns, cells, output.text());
    } else {
      AppendCsvRecord(cells, output.text());
    }
    if (!output.WriteIfFull()) {
      break;
    }
  }
  if (input != stdin) {
    std::fclose(input);
  }
  return allGood ? 0 : 1;
}

}  // namespace lobrin::calc
