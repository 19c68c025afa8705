#pragma once
// lobrin-calc's rows as JSON Lines: one object per row, its names the CSV
// header's, in column order. A text as given is a JSON string; a result box
// is a JSON number, or null when the box is empty. The number is the box's
// text read as a double, correctly rounded; a text beyond the largest double
// (a distance near it, shown in 15 digits rounded up) is that largest double
// with its sign, not the null a JSON writer makes of an infinity.

#include <string>
#include <vector>

#include "app/calc/columns.h"
#include "app/calc/report.h"

namespace lobrin::calc {

// Appends the object of one row and "\n" to `out`. Bytes of a given text that
// are not UTF-8 are written as U+FFFD.
void AppendJsonLine(const std::vector<Column>& columns, const Cells& cells, std::string& out);

}  // namespace lobrin::calc
