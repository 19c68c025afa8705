#include "app/calc/json_report.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <nlohmann/json.hpp>

namespace lobrin::calc {

namespace {

double JsonNumberOf(const std::string& boxText) {
  const double value = std::strtod(boxText.c_str(), nullptr);
  if (std::isinf(value)) {
    return std::copysign(std::numeric_limits<double>::max(), value);
  }
  return value;
}

}  // namespace

void AppendJsonLine(const std::vector<Column>& columns, const Cells& cells, std::string& out) {
  nlohmann::ordered_json row = nlohmann::ordered_json::object();
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (columns[c].given) {
      row[columns[c].name] = cells[c];
    } else if (cells[c].empty()) {
      row[columns[c].name] = nullptr;
    } else {
      row[columns[c].name] = JsonNumberOf(cells[c]);
    }
  }
  out += row.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
  out += '\n';
}

}  // namespace lobrin::calc
