#pragma once
// What lobrin-calc prints, one row per calculation with a text per column
// (columns.h), an empty text for an empty box: an aligned table under a
// header line, or RFC 4180 CSV written a record at a time.

#include <string>
#include <vector>

#include "app/calc/arguments.h"
#include "app/calc/columns.h"
#include "app/calc/output.h"

namespace lobrin::calc {

using Cells = std::vector<std::string>;  // one text per column, in column order

// A header line and one line per row, every column right-aligned to its
// widest cell, columns two spaces apart, each line ended by "\n".
std::string TableOf(const std::vector<Column>& columns, const std::vector<Cells>& rows);

// The CSV header record: the columns' names.
std::string CsvHeaderOf(const std::vector<Column>& columns);

// Appends one RFC 4180 record to `out`, ended by CR LF. A field that holds a
// comma, a double quote, CR or LF is enclosed in double quotes, its quotes doubled.
void AppendCsvRecord(const Cells& cells, std::string& out);

// Appends `rows` under `columns` to `out` in `format`: the aligned table, CSV
// with its header, or JSON Lines.
void AppendRows(Format format, const std::vector<Column>& columns, const std::vector<Cells>& rows,
                std::string& out);

// A batch's rows written to `output` as each is calculated: CSV under its
// header, or JSON Lines for Format::kJson.
class BatchRowWriter {
 public:
  // Appends the CSV header at once. `columns` and `output` are borrowed.
  BatchRowWriter(Format format, const std::vector<Column>& columns, Output& output);

  // Appends one row; false once the output is gone, and the batch stops there.
  bool Write(const Cells& cells);

 private:
  bool json_;
  const std::vector<Column>& columns_;  // borrowed
  Output& output_;                      // borrowed
};

}  // namespace lobrin::calc
