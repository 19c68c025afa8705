#pragma once
// What Lobrin Stack's window shows for the texts typed into its boxes: the
// inputs read strictly (a comma taken as the decimal point), checked, and
// handed to the stack model; the model's figures as the result boxes' texts,
// and the chart's figures. Or, where an input is bad, one short reason.
//
// The DL6WU distance in metres is the text the calculator's window shows for
// the same beamwidth and frequency (its own element chain, through
// HeadlessCalculator); the spacings and figures are read and written as
// lobrin-calc --stack reads and writes them (StackInputReader, StackCells).
// Nothing here computes a figure of its own.
//
// Portable: no Win32, so that the native tests reach every rule.

#include <array>
#include <cstddef>
#include <string>

#include "app/calc/stack_row.h"
#include "app/headless_calculator.h"
#include "chart/chart_layout.h"

namespace lobrin::stackwin {

// The input boxes, in the window's order (the tab order too).
enum class Input : std::size_t {
  kBeamwidthH,
  kBeamwidthE,
  kFrequency,
  kBaysH,
  kBaysE,
  kSpacingH,
  kSpacingE,
  kSidelobes,
};
inline constexpr std::size_t kInputCount = 8;
using InputTexts = std::array<std::string, kInputCount>;

// The worked example: what the window starts with.
InputTexts WorkedExample();

// The two planes of the result table, H-plane first as in the calculator.
inline constexpr std::size_t kPlaneH = 0;
inline constexpr std::size_t kPlaneE = 1;

// The texts of one plane's result boxes.
struct PlaneTexts {
  std::string dl6wuMetres;    // the calculator's digits
  std::string dl6wuLambda;    // wavelengths, 4 decimals
  std::string spacingLambda;  // the spacing used, wavelengths, 4 decimals
  std::string lineGainDb;     // that plane's line alone over one antenna, 3 decimals
  std::string beamwidthDeg;   // the stack's -3 dB beamwidth in this plane, 2 decimals
  std::string lobeDb;         // the strongest lobe's level, 3 decimals; empty: none
  std::string lobeDeg;        // its angle from boresight, 2 decimals; empty: none
};

struct Sheet {
  std::string problem;                    // empty: every figure below is valid
  std::array<PlaneTexts, 2> planes;       // kPlaneH, kPlaneE
  std::string stackGainDb;                // the whole stack over one antenna, 3 decimals
  std::array<std::string, 2> spacingCue;  // the DL6WU metres an empty spacing box shows greyed; empty: none
};

class StackSheet {
 public:
  // Fills `sheet` for `texts`: every figure, or the problem with the figures
  // cleared. The cues are filled wherever the calculator shows a distance,
  // a problem or not.
  void Compute(const InputTexts& texts, Sheet& sheet);

  // The chart's figures for the texts of the last Compute that found no
  // problem: the sweep and the cuts, which take longer than the figures, so
  // that a window may compute them once typing pauses. None before such a
  // Compute.
  bool ChartFigures(chart::Figures& figures) const;

 private:
  bool computed_ = false;  // input_ and frequency_ hold a good Compute's
  calc::StackInput input_;
  std::string frequency_;
  HeadlessCalculator calculator_;  // reset for every computation
  DistanceTexts shown_;
};

// `text` without spaces around it and with a lone comma as the decimal point;
// any other text as it is, for the strict reading to refuse.
std::string NormalisedNumber(const std::string& text);

// The inputs and results as plain text, one "name: value unit" a line with
// CR LF line ends, for the clipboard.
std::string ClipboardText(const InputTexts& texts, const Sheet& sheet);

// The model and its limits, in one line.
extern const char kModelLine[];

}  // namespace lobrin::stackwin
