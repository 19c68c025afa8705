#include "app/calc/stack_row.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "toolkit/number_text.h"

namespace lobrin::calc {

namespace {

constexpr double kMaxBeamwidthDeg = 180.0;
constexpr int kLambdaDecimals = 4;
constexpr int kDbDecimals = 3;
constexpr int kDegreeDecimals = 2;
constexpr int kTitleMetreDecimals = 3;  // millimetres

// `value` with `decimals` decimals; a value that rounds to zero has no minus sign.
std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  const char* shown = text;
  if (text[0] == '-' && std::string(text + 1).find_first_not_of("0.") == std::string::npos) {
    ++shown;
  }
  return shown;
}

std::string Optional(const std::optional<double>& value, int decimals) {
  return value ? Fixed(*value, decimals) : std::string();
}

bool ReadBeamwidth(const std::string& text, const char* name, double& degrees, std::string& problem) {
  if (ReadDecimal(text, degrees) && degrees > 0.0 && degrees <= kMaxBeamwidthDeg) {
    return true;
  }
  problem = std::string(name) + " must be a number of degrees above 0 and at most 180, not '" + text + "'";
  return false;
}

}  // namespace

StackInputReader::StackInputReader(const StackRequest& request) : request_(request) {}

bool StackInputReader::Read(const std::string& hPlane, const std::string& ePlane,
                            const std::string* frequency, std::optional<double> spacingEMetres,
                            std::optional<double> spacingHMetres, const InputNames& names, StackInput& input,
                            std::string& problem) {
  input = StackInput{};
  stack::Stack& stack = input.stack;
  stack.baysE = request_.baysE;
  stack.baysH = request_.baysH;
  stack.antenna.sidelobeDb = request_.sidelobesDb;
  if (!ReadBeamwidth(hPlane, names.hPlane, stack.antenna.beamwidthHDeg, problem) ||
      !ReadBeamwidth(ePlane, names.ePlane, stack.antenna.beamwidthEDeg, problem)) {
    return false;
  }
  if (frequency == nullptr) {
    // A sweep sets the spacings itself; these only make the stack a valid one.
    stack.spacingELambda = 1.0;
    stack.spacingHLambda = 1.0;
  } else {
    if (!ReadDecimal(*frequency, input.frequencyMHz) || !(input.frequencyMHz > 0.0)) {
      problem = std::string(names.frequency) + " must be a number of MHz above 0, not '" + *frequency + "'";
      return false;
    }
    calculator_.Calculate(hPlane, ePlane, *frequency, shown_);
    const double wavelength = stack::WavelengthMetres(input.frequencyMHz);
    struct PlaneSpacing {
      const char* name;
      const char* plane;
      std::optional<double> given;
      const std::string& shownMetres;
      double& metres;
      double& lambda;
      double& dl6wuLambda;
    };
    const PlaneSpacing planes[] = {
        {names.spacingE, "E", spacingEMetres, shown_.eMetres, input.spacingEMetres, stack.spacingELambda,
         input.dl6wuELambda},
        {names.spacingH, "H", spacingHMetres, shown_.hMetres, input.spacingHMetres, stack.spacingHLambda,
         input.dl6wuHLambda},
    };
    for (const PlaneSpacing& plane : planes) {
      // The window's box reads back as the double it shows; an empty box is no distance.
      const double dl6wu = plane.shownMetres.empty() ? NAN : std::strtod(plane.shownMetres.c_str(), nullptr);
      plane.dl6wuLambda = dl6wu / wavelength;
      plane.metres = plane.given ? *plane.given : dl6wu;
      plane.lambda = plane.metres / wavelength;
      if (!(plane.lambda > 0.0 && plane.lambda <= stack::kMaxSpacingLambda)) {
        const std::string what = plane.given ? std::string(plane.name)
                                             : std::string("the ") + plane.plane + "-plane's DL6WU distance";
        problem = what + " must be above 0 and at most 100 wavelengths, not " + RealToText(plane.metres) +
                  " m, " + RealToText(plane.lambda) + " wavelengths at " + *frequency + " MHz";
        if (!plane.given) {
          problem += std::string(": give ") + plane.name;
        }
        return false;
      }
      if (!std::isfinite(plane.dl6wuLambda)) {
        plane.dl6wuLambda = plane.lambda;  // no mark of its own where the window shows no distance
      }
    }
  }
  if (const std::optional<stack::Problem> model = stack::Check(stack)) {
    problem = model->field + ": " + model->reason;
    return false;
  }
  return true;
}

void StackCells(const StackInput& input, const stack::StackFigures& figures, Cells& cells,
                std::size_t first) {
  const auto lobeLevel = [](const stack::PlaneFigures& plane) {
    return plane.strongestLobe ? std::optional<double>(plane.strongestLobe->levelDb) : std::nullopt;
  };
  const auto lobeAngle = [](const stack::PlaneFigures& plane) {
    return plane.strongestLobe ? std::optional<double>(plane.strongestLobe->angleDeg) : std::nullopt;
  };
  const std::string texts[] = {
      RealToText(input.spacingEMetres),
      RealToText(input.spacingHMetres),
      Fixed(input.stack.spacingELambda, kLambdaDecimals),
      Fixed(input.stack.spacingHLambda, kLambdaDecimals),
      Fixed(figures.gainEDb, kDbDecimals),
      Fixed(figures.gainHDb, kDbDecimals),
      Fixed(figures.gainDb, kDbDecimals),
      Fixed(figures.e.beamwidthDeg, kDegreeDecimals),
      Fixed(figures.h.beamwidthDeg, kDegreeDecimals),
      Optional(lobeLevel(figures.e), kDbDecimals),
      Optional(lobeAngle(figures.e), kDegreeDecimals),
      Optional(lobeLevel(figures.h), kDbDecimals),
      Optional(lobeAngle(figures.h), kDegreeDecimals),
  };
  std::size_t at = first;
  for (const std::string& text : texts) {
    cells[at++] = text;
  }
}

Cells SweepCells(const stack::SweepRow& row) {
  return {Fixed(row.spacingLambda, kLambdaDecimals), Fixed(row.gainEDb, kDbDecimals),
          Optional(row.lobeEDb, kDbDecimals), Fixed(row.gainHDb, kDbDecimals),
          Optional(row.lobeHDb, kDbDecimals)};
}

std::string ChartTitle(const StackInput& input, const std::string& hPlane, const std::string& ePlane,
                       const std::string& frequency) {
  const stack::Stack& stack = input.stack;
  std::string title = std::to_string(stack.baysE) + " x " + std::to_string(stack.baysH) + " stack: H-plane " +
                      hPlane + " deg, E-plane " + ePlane + " deg, " + frequency + " MHz, spacing E " +
                      Fixed(input.spacingEMetres, kTitleMetreDecimals) + " m, H " +
                      Fixed(input.spacingHMetres, kTitleMetreDecimals) + " m";
  if (stack.antenna.sidelobeDb) {
    title += ", sidelobes " + Fixed(*stack.antenna.sidelobeDb, 1) + " dB";
  }
  return title;
}

}  // namespace lobrin::calc
