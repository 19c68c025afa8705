#pragma once
// One row of lobrin-calc --stack: the texts of an antenna (two beamwidths and
// a frequency) and the spacings read and checked, the stack model asked, its
// figures written as the row's texts.
//
// Every number is read strictly (ReadDecimal), not as the window reads a
// box. The default spacing of a plane is the DL6WU distance the window shows
// in that plane's metres box for the same texts, read back as a double;
// metres become wavelengths through the model's WavelengthMetres. Nothing
// here computes a figure of the model: it only formats what the model answers.
//
// Formats: a spacing in metres as the window shows its distances (at most 15
// significant digits, no exponent), so that the default reads as the window's
// box; wavelengths with 4 decimals; dB with 3 decimals and degrees with 2,
// finer than the model's accuracy (0.005 dB) without showing the noise
// below it, and the same on every platform (a last-bit difference of the
// maths library does not reach a shown digit, but in a rounding tie).

#include <optional>
#include <string>
#include <vector>

#include "app/calc/arguments.h"
#include "app/calc/report.h"
#include "app/headless_calculator.h"
#include "stack/stack_model.h"

namespace lobrin::calc {

// The names that messages give the inputs: the command line's, or the batch record's fields.
struct InputNames {
  const char* hPlane;
  const char* ePlane;
  const char* frequency;
  const char* spacingE;
  const char* spacingH;
};
inline constexpr InputNames kArgumentNames = {"H-PLANE beamwidth", "E-PLANE beamwidth", "FREQUENCY",
                                              "--spacing-e", "--spacing-h"};
inline constexpr InputNames kRecordNames = {"h_plane", "e_plane", "frequency", "spacing_e_m", "spacing_h_m"};

// What one row starts from, read and checked.
struct StackInput {
  stack::Stack stack;
  double frequencyMHz = 0.0;  // 0 for a sweep given no frequency
  double spacingEMetres = 0.0;
  double spacingHMetres = 0.0;
  double dl6wuELambda = 0.0;  // the DL6WU distances, for the chart's marks
  double dl6wuHLambda = 0.0;
};

class StackInputReader {
 public:
  explicit StackInputReader(const StackRequest& request);

  // Reads the texts, `frequency` none for a sweep without one, and the
  // spacings in metres (none: the plane's DL6WU distance). False with
  // `problem` naming the input by `names` when one is bad.
  bool Read(const std::string& hPlane, const std::string& ePlane, const std::string* frequency,
            std::optional<double> spacingEMetres, std::optional<double> spacingHMetres,
            const InputNames& names, StackInput& input, std::string& problem);

 private:
  StackRequest request_;
  HeadlessCalculator calculator_;  // reset for every row
  DistanceTexts shown_;
};

// The texts of a row's columns after the frequency (columns.h), from the model's figures.
void StackCells(const StackInput& input, const stack::StackFigures& figures, Cells& cells, std::size_t first);

// The texts of a sweep row, in the sweep's columns.
Cells SweepCells(const stack::SweepRow& row);

// The chart's title: the stack and the antenna, as given.
std::string ChartTitle(const StackInput& input, const std::string& hPlane, const std::string& ePlane,
                       const std::string& frequency);

}  // namespace lobrin::calc
