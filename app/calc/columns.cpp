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

// The stack's figures at the chosen spacings.
const Column kStackFigures[] = {
    {"spacing_e_m", "E spacing m", false},
    {"spacing_h_m", "H spacing m", false},
    {"spacing_e_lambda", "E spacing lambda", false},
    {"spacing_h_lambda", "H spacing lambda", false},
    {"gain_e_db", "E line gain dB", false},
    {"gain_h_db", "H line gain dB", false},
    {"gain_db", "gain dB", false},
    {"beamwidth_e_deg", "E beamwidth deg", false},
    {"beamwidth_h_deg", "H beamwidth deg", false},
    {"lobe_e_db", "E lobe dB", false},
    {"lobe_e_deg", "E lobe deg", false},
    {"lobe_h_db", "H lobe dB", false},
    {"lobe_h_deg", "H lobe deg", false},
};
const Column kSweep[] = {
    {"spacing_lambda", "spacing lambda", false}, {"gain_e_db", "E line gain dB", false},
    {"lobe_e_db", "E lobe dB", false},           {"gain_h_db", "H line gain dB", false},
    {"lobe_h_db", "H lobe dB", false},
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

std::vector<Column> StackColumnsOf(bool batch) {
  std::vector<Column> columns;
  if (batch) {
    Add(columns, kBeamwidths);
  }
  columns.push_back(kFrequency);
  Add(columns, kStackFigures);
  return columns;
}

std::vector<Column> SweepColumns() {
  std::vector<Column> columns;
  Add(columns, kSweep);
  return columns;
}

}  // namespace lobrin::calc
