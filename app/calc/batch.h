#pragma once
// lobrin-calc --batch FILE: one row per CSV record of FILE (H-plane
// beamwidth, E-plane beamwidth, frequency), computed and written as it is
// read, so that memory stays bounded however long FILE is. The output is CSV,
// or JSON Lines with --json.
//
// A first record h_plane,e_plane,frequency is a header and skipped; a UTF-8
// byte order mark before it, as spreadsheets write one, is dropped. A bad
// record (other than three fields, a quote not closed, over 64 KiB, a NUL
// byte) is reported on stderr as "lobrin-calc: FILE:LINE: what is wrong",
// LINE being where the record starts, and the records around it are still
// computed. FILE "-" is standard input, named "standard input" in messages.

#include "app/calc/arguments.h"
#include "app/calc/output.h"

namespace lobrin::calc {

// Runs the batch of `request` into `output`. Answers the exit status: 0 when
// every record was good, 1 when one was bad or FILE could not be read.
int RunBatch(const Request& request, Output& output);

}  // namespace lobrin::calc
