#include "app/calc/batch.h"

#include <string>

#include "app/calc/batch_records.h"
#include "app/calc/columns.h"
#include "app/calc/report.h"
#include "app/calc/row_calculator.h"

namespace lobrin::calc {

namespace {

constexpr std::size_t kGivenTexts = 3;  // H-plane beamwidth, E-plane beamwidth, frequency

}  // namespace

int RunBatch(const Request& request, Output& output) {
  BatchRecords records(request.batchFile, {"h_plane", "e_plane", "frequency"}, {kGivenTexts});
  if (!records.Open()) {
    return 1;
  }
  const std::vector<Column> columns = ColumnsOf(true, request.wavelengths, request.tolerance);
  BatchRowWriter rows(request.format, columns, output);
  RowCalculator calculator({request.wavelengths, request.tolerance, request.toleranceDegrees});
  CsvRecord record;
  Cells cells(columns.size());
  while (records.Next(record)) {
    for (std::size_t i = 0; i < kGivenTexts; ++i) {
      cells[i].swap(record.fields[i]);
    }
    calculator.Calculate(cells[0], cells[1], cells[2], cells, kGivenTexts);
    if (!rows.Write(cells)) {
      break;
    }
  }
  return records.allGood() ? 0 : 1;
}

}  // namespace lobrin::calc
