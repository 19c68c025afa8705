#pragma once
// The columns lobrin-calc prints, in order: the texts as given (the frequency
// alone when the texts come from the arguments; the two beamwidths and the
// frequency in batch work), the four result boxes, then on request the
// distances in wavelengths and the tolerance band.

#include <vector>

namespace lobrin::calc {

struct Column {
  const char* name;   // in the CSV header and as the JSON name
  const char* title;  // in the table's header line
  bool given;         // a text as given (a JSON string), not a result (a JSON number or null)
};

// The columns of one run, in order.
std::vector<Column> ColumnsOf(bool batch, bool wavelengths, bool tolerance);

// The columns of a --stack run: the texts as given (the two beamwidths in
// batch work), the frequency, then the stack's figures.
std::vector<Column> StackColumnsOf(bool batch);

// The columns of a --sweep: the spacing, then each plane's line alone.
std::vector<Column> SweepColumns();

}  // namespace lobrin::calc
