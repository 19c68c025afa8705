#pragma once
// lobrin-calc --stack: what a stack of the antenna gives, one row per
// frequency given as an argument (or per record with --batch), or a sweep
// over the spacing, and on request the chart as an SVG file.
//
// Every input is read and checked before anything is written, so a mistake
// prints nothing but its message.

#include <string>

#include "app/calc/arguments.h"
#include "app/calc/output.h"

namespace lobrin::calc {

// The width and height of the chart --svg writes, in pixels.
inline constexpr double kChartWidth = 960.0;
inline constexpr double kChartHeight = 600.0;

// Runs `request` (its texts from the arguments) into `output`. Answers the
// exit status: 0 done, 1 the chart could not be written (said on stderr), 2
// a bad input, with `problem` naming it.
int RunStack(const Request& request, Output& output, std::string& problem);

// Runs the batch of `request` into `output`, as RunBatch does for the
// distances: CSV or JSON Lines, a record of 3 fields (h_plane, e_plane,
// frequency) or 5 (and spacing_e_m, spacing_h_m; an empty one is the DL6WU
// distance). Answers 0 when every record was good, 1 otherwise.
int RunStackBatch(const Request& request, Output& output);

}  // namespace lobrin::calc
