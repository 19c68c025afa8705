// lobrin-calc --stack --batch FILE: records of 3 or 5 fields (the antenna
// and the frequency, then the two spacings), a row of the stack's columns each.
#include <optional>
#include <string>

#include "app/calc/batch_records.h"
#include "app/calc/columns.h"
#include "app/calc/report.h"
#include "app/calc/stack_row.h"
#include "app/calc/stack_run.h"

namespace lobrin::calc {

namespace {

constexpr std::size_t kAntennaFields = 3;  // h_plane, e_plane, frequency
constexpr std::size_t kSpacedFields = 5;   // and spacing_e_m, spacing_h_m

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
  BatchRecords records(request.batchFile, {"h_plane", "e_plane", "frequency", "spacing_e_m", "spacing_h_m"},
                       {kAntennaFields, kSpacedFields});
  if (!records.Open()) {
    return 1;
  }
  const std::vector<Column> columns = StackColumnsOf(true);
  BatchRowWriter rows(request.format, columns, output);
  StackInputReader stackReader(request.stack);
  CsvRecord record;
  StackInput stackInput;
  std::string problem;
  Cells cells(columns.size());
  while (records.Next(record)) {
    std::vector<std::string>& fields = record.fields;
    std::optional<double> spacingE;
    std::optional<double> spacingH;
    if (fields.size() == kSpacedFields &&
        (!ReadSpacingField(fields[3], kRecordNames.spacingE, spacingE, problem) ||
         !ReadSpacingField(fields[4], kRecordNames.spacingH, spacingH, problem))) {
      records.Complain(record, problem);
      continue;
    }
    if (!stackReader.Read(fields[0], fields[1], &fields[2], spacingE, spacingH, kRecordNames, stackInput,
                          problem)) {
      records.Complain(record, problem);
      continue;
    }
    for (std::size_t i = 0; i < kAntennaFields; ++i) {
      cells[i].swap(fields[i]);
    }
    StackCells(stackInput, stack::Evaluate(stackInput.stack), cells, kAntennaFields);
    if (!rows.Write(cells)) {
      break;
    }
  }
  return records.allGood() ? 0 : 1;
}

}  // namespace lobrin::calc
