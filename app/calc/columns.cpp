#include "app/calc/columns.h"

namespace lobrin::calc {

namespace {

const Column kBeamwidths[] = {
    {"h_plane", "H-plane", true},
    {"e_plane", "E-plane", true},
};
const Column kFrequency = {"frequency", "frequency", true};
const Column kBoxes[] = {
    {"h_plane_m", "H-plane m", false},
    {"h_plane_ft", "H-plane ft", false},
    {"e_plane_m", "E-plane m", false},
    {"e_plane_ft", "E-plane ft", false},
};
const Column kWavelengths[] = {
    {"h_plane_lambda", "H-plane lambda", false},
    {"e_plane_lambda", "E-plane lambda", false},
};
// Per plane: the distance at B + DEG (the lower end), then at B - DEG (the upper end).
const Column kTolerance[] = {
    {"h_plane_m_low", "H-plane m low", false},
    {"h_plane_m_high", "H-plane m high", false},
    {"e_plane_m_low", "E-plane m low", false},
    {"e_plane_m_high", "E-plane m high", false},
};

template <std::size_t N>
void Add(std::vector<Column>& columns, const Column (&more)[N]) {
  for (const Column& column : more) {
    columns.push_back(column);
  }
}

}  // namespace

std::vector<Column> ColumnsOf(bool batch, bool wavelengths, bool tolerance) {
  std::vector<Column> columns;
  if (batch) {
    Add(columns, kBeamwidths);
  }
  columns.push_back(kFrequency);
  Add(columns, kBoxes);
  if (wavelengths) {
    Add(columns, kWavelengths);
  }
  if (tolerance) {
    Add(columns, kTolerance);
  }
  return columns;
}

}  // namespace lobrin::calc
