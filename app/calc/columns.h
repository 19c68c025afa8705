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

}  // namespace lobrin::calc
