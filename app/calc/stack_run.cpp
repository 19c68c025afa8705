#include "app/calc/stack_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/calc/columns.h"
#include "app/calc/report.h"
#include "app/calc/stack_row.h"
#include "chart/chart_figures.h"
#include "chart/chart_layout.h"
#include "chart/svg.h"

namespace lobrin::calc {

namespace {

// Writes `text` to the file `name`; false with the system's reason in `problem`.
bool WriteFile(const std::string& name, const std::string& text, std::string& problem) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) {
    problem = name + ": " + std::strerror(errno);
    return false;
  }
  errno = 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int writeError = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    problem = name + ": " +
              std::strerror(!written && writeError != 0 ? writeError
                            : errno != 0                ? errno
                                                        : EIO);
    return false;
  }
  return true;
}

}  // namespace

int RunStack(const Request& request, Output& output, std::string& problem) {
  const StackRequest& asked = request.stack;
  StackInputReader reader(asked);
  std::vector<StackInput> inputs(request.frequencies.size());
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (!reader.Read(request.hPlaneBeamwidth, request.ePlaneBeamwidth, &request.frequencies[i],
                     asked.spacingEMetres, asked.spacingHMetres, kArgumentNames, inputs[i], problem)) {
      return 2;
    }
  }
  StackInput sweepInput;
  if (asked.sweep && inputs.empty() &&
      !reader.Read(request.hPlaneBeamwidth, request.ePlaneBeamwidth, nullptr, std::nullopt, std::nullopt,
                   kArgumentNames, sweepInput, problem)) {
    return 2;
  }
  if (!asked.svgFile.empty()) {
    const StackInput& input = inputs.front();
    const chart::SweepRange range =
        asked.sweep ? chart::SweepRange{asked.sweepFromLambda, asked.sweepToLambda, asked.sweepStepLambda}
                    : chart::DefaultSweep(std::max({input.dl6wuELambda, input.dl6wuHLambda,
                                                    input.stack.spacingELambda, input.stack.spacingHLambda}));
    const chart::Figures figures = chart::FiguresOf(
        input.stack, input.dl6wuELambda, input.dl6wuHLambda, range,
        ChartTitle(input, request.hPlaneBeamwidth, request.ePlaneBeamwidth, request.frequencies[0]));
    std::string failure;
    if (!WriteFile(asked.svgFile, chart::SvgOf(chart::LayOut(figures, kChartWidth, kChartHeight)), failure)) {
      const std::string line = "lobrin-calc: " + failure + "\n";
      std::fwrite(line.data(), 1, line.size(), stderr);
      return 1;
    }
  }
  std::vector<Cells> rows;
  if (asked.sweep) {
    const stack::Stack& stack = inputs.empty() ? sweepInput.stack : inputs.front().stack;
    for (const stack::SweepRow& row :
         stack::Sweep(stack, asked.sweepFromLambda, asked.sweepToLambda, asked.sweepStepLambda)) {
      rows.push_back(SweepCells(row));
    }
    AppendRows(request.format, SweepColumns(), rows, output.text());
    return 0;
  }
  const std::vector<Column> columns = StackColumnsOf(false);
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    Cells cells(columns.size());
    cells[0] = request.frequencies[i];
    StackCells(inputs[i], stack::Evaluate(inputs[i].stack), cells, 1);
    rows.push_back(std::move(cells));
  }
  AppendRows(request.format, columns, rows, output.text());
  return 0;
}

}  // namespace lobrin::calc
