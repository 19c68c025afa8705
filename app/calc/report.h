#pragma once
// What lobrin-calc prints: one row per frequency with the four texts the
// window shows, as an aligned table under a header line or as CSV.

#include <string>
#include <vector>

#include "app/headless_calculator.h"

namespace lobrin::calc {

struct Row {
  std::string frequency;  // as typed
  DistanceTexts shown;
};

// A header line and one line per row, every column right-aligned to its
// widest cell, columns two spaces apart, each line ended by "\n".
std::string TableOf(const std::vector<Row>& rows);

// RFC 4180: the header frequency,h_plane_m,h_plane_ft,e_plane_m,e_plane_ft,
// then one record per row, every record ended by CR LF; a field that holds a
// comma, a double quote, CR or LF is enclosed in double quotes, its quotes doubled.
std::string CsvOf(const std::vector<Row>& rows);

// One field as RFC 4180 writes it.
std::string CsvField(const std::string& text);

}  // namespace lobrin::calc
