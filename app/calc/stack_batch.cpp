// lobrin-calc --stack --batch FILE: the batch loop of batch.cpp, with records
// of 3 or 5 fields and the stack's columns.
#include <cerrno>
#include <cstdio>
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
#include "app/calc/stack_row.h"
#include "app/calc/stack_run.h"

namespace lobrin::calc {

namespace {

constexpr std::size_t kAntennaFields = 3;  // h_plane, e_plane, frequency
constexpr std::size_t kSpacedFields = 5;   // and spacing_e_m, spacing_h_m
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool IsHeader(const CsvRecord& record) {
  static const char* const kNames[] = {"h_plane", "e_plane", "frequency", "spacing_e_m", "spacing_h_m"};
  for (std::size_t i = 0; i < record.fields.size(); ++i) {
    if (record.fields[i] != kNames[i]) {
      return false;
    }
  }
  return true;
}

std::FILE* OpenInput(const std::string& file) {
  if (file != "-") {
    return std::fopen(file.c_str(), "rb");
  }
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  return stdin;
}

void Complain(const std::string& where, const std::string& what) {
  const std::string line = "lobrin-calc: " + where + ": " + what + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

// A spacing field: empty is none (the DL6WU distance). False with `problem` set when bad.
bool ReadSpacingField(const std::string& text, const char* name, std::optional<double>& metres,
                      std::string& problem) {
  metres.reset();
  if (text.empty()) {
    return true;
  }
  double value = 0.0;
  if (!ReadDecimal(text, value) || !(value > 0.0)) {
    problem = std::string(name) + " must be a number of metres above 0, not '" + text + "'";
    return false;
  }
  metres = value;
  return true;
}

}  // namespace

int RunStackBatch(const Request& request, Output& output) {
  const std::string name = request.batchFile == "-" ? "standard input" : request.batchFile;
  std::FILE* input = OpenInput(request.batchFile);
  if (input == nullptr) {
    Complain(name, std::strerror(errno));
    return 1;
  }
  const std::vector<Column> columns = StackColumnsOf(true);
  const bool json = request.format == Format::kJson;
  if (!json) {
    output.text() += CsvHeaderOf(columns);
  }
  StackInputReader stackReader(request.stack);
  CsvReader reader(input);
  CsvRecord record;
  StackInput stackInput;
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
      allGood = false;
    };
    if (status == CsvReader::Status::kBadRecord) {
      complainOfRecord(problem);
      continue;
    }
    std::vector<std::string>& fields = record.fields;
    if (first && record.line == 1 && fields[0].compare(0, 3, kByteOrderMark) == 0) {
      fields[0].erase(0, 3);
    }
    const std::size_t count = fields.size();
    if (count != kAntennaFields && count != kSpacedFields) {
      complainOfRecord(std::to_string(count) + (count == 1 ? " field" : " fields") + ", expected 3 or 5");
      continue;
    }
    if (first && IsHeader(record)) {
      continue;
    }
    std::optional<double> spacingE;
    std::optional<double> spacingH;
    if (count == kSpacedFields && (!ReadSpacingField(fields[3], kRecordNames.spacingE, spacingE, problem) ||
                                   !ReadSpacingField(fields[4], kRecordNames.spacingH, spacingH, problem))) {
      complainOfRecord(problem);
      continue;
    }
    if (!stackReader.Read(fields[0], fields[1], &fields[2], spacingE, spacingH, kRecordNames, stackInput,
                          problem)) {
      complainOfRecord(problem);
      continue;
    }
    for (std::size_t i = 0; i < kAntennaFields; ++i) {
      cells[i].swap(fields[i]);
    }
    StackCells(stackInput, stack::Evaluate(stackInput.stack), cells, kAntennaFields);
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
