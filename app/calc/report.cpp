#include "app/calc/report.h"

#include <algorithm>
#include <array>

namespace lobrin::calc {

namespace {

constexpr std::size_t kColumns = 5;
using Cells = std::array<std::string, kColumns>;

Cells CellsOf(const Row& row) {
  return {row.frequency, row.shown.hMetres, row.shown.hFeet, row.shown.eMetres, row.shown.eFeet};
}

}  // namespace

std::string TableOf(const std::vector<Row>& rows) {
  std::vector<Cells> lines = {{"frequency", "H-plane m", "H-plane ft", "E-plane m", "E-plane ft"}};
  for (const Row& row : rows) {
    lines.push_back(CellsOf(row));
  }
  std::array<std::size_t, kColumns> widths{};
  for (const Cells& cells : lines) {
    for (std::size_t c = 0; c < kColumns; ++c) {
      widths[c] = std::max(widths[c], cells[c].size());
    }
  }
  std::string text;
  for (const Cells& cells : lines) {
    for (std::size_t c = 0; c < kColumns; ++c) {
      if (c > 0) {
        text += "  ";
      }
      text.append(widths[c] - cells[c].size(), ' ');
      text += cells[c];
    }
    text += '\n';
  }
  return text;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    return text;
  }
  std::string field = "\"";
  for (char c : text) {
    if (c == '"') {
      field += '"';
    }
    field += c;
  }
  field += '"';
  return field;
}

std::string CsvOf(const std::vector<Row>& rows) {
  std::string text = "frequency,h_plane_m,h_plane_ft,e_plane_m,e_plane_ft\r\n";
  for (const Row& row : rows) {
    const Cells cells = CellsOf(row);
    for (std::size_t c = 0; c < kColumns; ++c) {
      if (c > 0) {
        text += ',';
      }
      text += CsvField(cells[c]);
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace lobrin::calc
