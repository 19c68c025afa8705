#include "app/stack/stack_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "app/calc/arguments.h"
#include "app/calc/stack_row.h"
#include "chart/chart_figures.h"
#include "stack/stack_model.h"

namespace lobrin::stackwin {

namespace {

constexpr int kLambdaDecimals = 4;

// How each input is named in a reason and in the copied text, and its unit.
struct InputRow {
  Input input;
  const char* name;
  const char* unit;
  const char* example;  // the worked example's text
};
constexpr InputRow kInputRows[kInputCount] = {
    {Input::kBeamwidthH, "H-plane beamwidth", "deg", "32"},
    {Input::kBeamwidthE, "E-plane beamwidth", "deg", "30"},
    {Input::kFrequency, "Frequency", "MHz", "144"},
    {Input::kBaysH, "Antennas in the H-plane", "", "2"},
    {Input::kBaysE, "Antennas in the E-plane", "", "2"},
    {Input::kSpacingH, "Spacing in the H-plane", "m", ""},
    {Input::kSpacingE, "Spacing in the E-plane", "m", ""},
    {Input::kSidelobes, "Sidelobe level", "dB", ""},
};

// What the model's Check names a field, as the window names it in a reason.
struct FieldName {
  const char* field;
  const char* shown;
};
constexpr FieldName kFieldNames[] = {
    {"beamwidth-h", "H-plane"}, {"beamwidth-e", "E-plane"}, {"bays-h", "H-plane"}, {"bays-e", "E-plane"},
    {"spacing-h", "H-plane"},   {"spacing-e", "E-plane"},   {"sidelobes", ""},
};

// The names StackInputReader gives the inputs in its reasons.
constexpr calc::InputNames kWindowNames = {"H-plane beamwidth", "E-plane beamwidth", "frequency",
                                           "E-plane spacing", "H-plane spacing"};

const std::string& TextOf(const InputTexts& texts, Input input) {
  return texts[static_cast<std::size_t>(input)];
}
const InputRow& RowOf(Input input) { return kInputRows[static_cast<std::size_t>(input)]; }

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string ReasonOf(const stack::Problem& problem) {
  for (const FieldName& row : kFieldNames) {
    if (problem.field == row.field && row.shown[0] != '\0') {
      return std::string(row.shown) + ": " + problem.reason;
    }
  }
  return problem.reason;
}

// Reads the number in `input`'s box; an empty box is none when `emptyIsNone`.
// False with `problem` set when the text is not a number.
bool ReadNumber(const InputTexts& texts, Input input, bool emptyIsNone, std::optional<double>& value,
                std::string& problem) {
  const std::string text = NormalisedNumber(TextOf(texts, input));
  value.reset();
  if (text.empty() && emptyIsNone) {
    return true;
  }
  double read = 0.0;
  if (!calc::ReadDecimal(text, read)) {
    problem = std::string(RowOf(input).name) + ": " + (text.empty() ? "type a number" : "not a number");
    return false;
  }
  value = read;
  return true;
}

bool ReadBays(const InputTexts& texts, Input input, int& bays, std::string& problem) {
  std::optional<double> value;
  if (!ReadNumber(texts, input, false, value, problem)) {
    return false;
  }
  if (!(*value >= stack::kMinBays && *value <= stack::kMaxBays && std::nearbyint(*value) == *value)) {
    problem = std::string(RowOf(input).name) + ": a whole number from 1 to 8";
    return false;
  }
  bays = static_cast<int>(*value);
  return true;
}

// The chart's title: short, since the boxes beside it show every input.
std::string ChartTitle(const stack::Stack& stack, const std::string& frequency) {
  return std::to_string(stack.baysE) + " x " + std::to_string(stack.baysH) + " stack at " + frequency +
         " MHz";
}

}  // namespace

const char kModelLine[] =
    "Model, not a simulation: free space, no coupling, no feed loss; one antenna is a cos^n main lobe over "
    "a flat sidelobe level.";

InputTexts WorkedExample() {
  InputTexts texts;
  for (const InputRow& row : kInputRows) {
    texts[static_cast<std::size_t>(row.input)] = row.example;
  }
  return texts;
}

std::string NormalisedNumber(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) {
    return std::string();
  }
  std::string number = text.substr(first, text.find_last_not_of(' ') - first + 1);
  const std::size_t comma = number.find(',');
  if (comma != std::string::npos && number.find(',', comma + 1) == std::string::npos &&
      number.find('.') == std::string::npos) {
    number[comma] = '.';
  }
  return number;
}

void StackSheet::Compute(const InputTexts& texts, Sheet& sheet) {
  computed_ = false;
  sheet.problem.clear();
  sheet.planes = {};
  sheet.stackGainDb.clear();
  sheet.spacingCue = {};

  std::optional<double> beamwidthH;
  std::optional<double> beamwidthE;
  std::optional<double> frequency;
  std::optional<double> sidelobes;
  std::optional<double> spacingH;
  std::optional<double> spacingE;
  calc::StackRequest request;
  std::string& problem = sheet.problem;
  if (!ReadNumber(texts, Input::kBeamwidthH, false, beamwidthH, problem) ||
      !ReadNumber(texts, Input::kBeamwidthE, false, beamwidthE, problem) ||
      !ReadNumber(texts, Input::kFrequency, false, frequency, problem) ||
      !ReadBays(texts, Input::kBaysH, request.baysH, problem) ||
      !ReadBays(texts, Input::kBaysE, request.baysE, problem) ||
      !ReadNumber(texts, Input::kSpacingH, true, spacingH, problem) ||
      !ReadNumber(texts, Input::kSpacingE, true, spacingE, problem) ||
      !ReadNumber(texts, Input::kSidelobes, true, sidelobes, problem)) {
    return;
  }
  request.sidelobesDb = sidelobes;
  // Everything but the spacings, which need the frequency's wavelength: checked
  // by the model with spacings it accepts.
  stack::Stack antennaOnly;
  antennaOnly.antenna = {*beamwidthE, *beamwidthH, sidelobes};
  antennaOnly.baysE = request.baysE;
  antennaOnly.baysH = request.baysH;
  if (const std::optional<stack::Problem> model = stack::Check(antennaOnly)) {
    problem = ReasonOf(*model);
    return;
  }
  if (!(*frequency > 0.0)) {
    problem = "Frequency: above 0 MHz";
    return;
  }

  const std::string hText = NormalisedNumber(TextOf(texts, Input::kBeamwidthH));
  const std::string eText = NormalisedNumber(TextOf(texts, Input::kBeamwidthE));
  const std::string fText = NormalisedNumber(TextOf(texts, Input::kFrequency));
  calculator_.Calculate(hText, eText, fText, shown_);
  sheet.spacingCue[kPlaneH] = shown_.hMetres;
  sheet.spacingCue[kPlaneE] = shown_.eMetres;

  calc::StackInputReader reader(request);
  calc::StackInput input;
  if (!reader.Read(hText, eText, &fText, spacingE, spacingH, kWindowNames, input, problem)) {
    // The spacing in wavelengths is out of range: the model names it.
    if (const std::optional<stack::Problem> model = stack::Check(input.stack)) {
      problem = ReasonOf(*model);
    }
    return;
  }
  const stack::StackFigures figures = stack::Evaluate(input.stack);
  input_ = input;
  frequency_ = fText;
  computed_ = true;

  // StackCells' columns: spacings m (E, H), spacings wavelengths (E, H),
  // gains (E, H, stack), beamwidths (E, H), lobes (E dB, E deg, H dB, H deg).
  calc::Cells cells(13);
  calc::StackCells(input, figures, cells, 0);
  struct PlaneColumns {
    std::size_t plane;
    const std::string& dl6wuMetres;
    double dl6wuLambda;
    std::size_t spacingLambda, gain, beamwidth, lobeDb, lobeDeg;
  };
  const PlaneColumns columns[] = {
      {kPlaneE, shown_.eMetres, input.dl6wuELambda, 2, 4, 7, 9, 10},
      {kPlaneH, shown_.hMetres, input.dl6wuHLambda, 3, 5, 8, 11, 12},
  };
  for (const PlaneColumns& column : columns) {
    PlaneTexts& plane = sheet.planes[column.plane];
    plane.dl6wuMetres = column.dl6wuMetres;
    plane.dl6wuLambda =
        column.dl6wuMetres.empty() ? std::string() : Fixed(column.dl6wuLambda, kLambdaDecimals);
    plane.spacingLambda = cells[column.spacingLambda];
    plane.lineGainDb = cells[column.gain];
    plane.beamwidthDeg = cells[column.beamwidth];
    plane.lobeDb = cells[column.lobeDb];
    plane.lobeDeg = cells[column.lobeDeg];
  }
  sheet.stackGainDb = cells[6];
}

bool StackSheet::ChartFigures(chart::Figures& figures) const {
  if (!computed_) {
    return false;
  }
  const chart::SweepRange range = chart::DefaultSweep(std::max(
      {input_.dl6wuELambda, input_.dl6wuHLambda, input_.stack.spacingELambda, input_.stack.spacingHLambda}));
  figures = chart::FiguresOf(input_.stack, input_.dl6wuELambda, input_.dl6wuHLambda, range,
                             ChartTitle(input_.stack, frequency_));
  return true;
}

std::string ClipboardText(const InputTexts& texts, const Sheet& sheet) {
  std::string out = "Lobrin Stack\r\n";
  for (const InputRow& row : kInputRows) {
    std::string value = TextOf(texts, row.input);
    if (value.empty() && (row.input == Input::kSpacingH || row.input == Input::kSpacingE)) {
      value = "DL6WU distance";
    } else if (value.empty() && row.input == Input::kSidelobes) {
      value = "none";
    } else if (row.unit[0] != '\0') {
      value += std::string(" ") + row.unit;
    }
    out += std::string(row.name) + ": " + value + "\r\n";
  }
  if (!sheet.problem.empty()) {
    return out + "Not computed: " + sheet.problem + "\r\n";
  }
  struct ResultRow {
    const char* name;
    std::string PlaneTexts::*text;
    const char* unit;
  };
  const ResultRow rows[] = {
      {"DL6WU distance", &PlaneTexts::dl6wuMetres, "m"},
      {"DL6WU distance", &PlaneTexts::dl6wuLambda, "wavelengths"},
      {"spacing used", &PlaneTexts::spacingLambda, "wavelengths"},
      {"gain of the line alone", &PlaneTexts::lineGainDb, "dB"},
      {"stack beamwidth", &PlaneTexts::beamwidthDeg, "deg"},
      {"strongest lobe", &PlaneTexts::lobeDb, "dB"},
      {"strongest lobe at", &PlaneTexts::lobeDeg, "deg"},
  };
  const char* planeNames[] = {"H-plane", "E-plane"};
  for (std::size_t plane : {kPlaneH, kPlaneE}) {
    for (const ResultRow& row : rows) {
      const std::string& value = sheet.planes[plane].*row.text;
      out += std::string(planeNames[plane]) + " " + row.name + ": " +
             (value.empty() ? std::string("none") : value + " " + row.unit) + "\r\n";
    }
  }
  return out + "Stacking gain over one antenna: " + sheet.stackGainDb + " dB\r\n";
}

}  // namespace lobrin::stackwin
