#pragma once
// The command line of lobrin-calc:
//   [OPTIONS] [--] H-PLANE E-PLANE FREQUENCY [FREQUENCY...]
//   [OPTIONS] --batch FILE
//   --stack [STACK OPTIONS] [OPTIONS] [--] H-PLANE E-PLANE FREQUENCY [FREQUENCY...]
//   --stack --sweep FROM:TO:STEP [STACK OPTIONS] [--] H-PLANE E-PLANE [FREQUENCY...]
//
// Before "--", an argument that begins with "--" is an option; every other
// argument is a text as it would be typed into the window's box, so "-30" is
// a beamwidth. After "--" every argument is such a text. An option that takes
// a value (--batch FILE, --tolerance DEG) takes the next argument as it is.

#include <optional>
#include <string>
#include <vector>

namespace lobrin::calc {

// kDefault: an aligned table for texts given as arguments, CSV in batch work.
enum class Format { kDefault, kCsv, kJson };

// What --stack and its options ask for. Each number is read strictly
// (ReadDecimal) and checked against its own range here; what depends on the
// frequency (a spacing in wavelengths) is checked per row.
struct StackRequest {
  bool on = false;                       // --stack: what a stack gives, not the distances
  int baysE = 2;                         // --bays-e N, 1 to 8
  int baysH = 2;                         // --bays-h N, 1 to 8
  std::optional<double> spacingEMetres;  // --spacing-e M, above 0; none: the DL6WU distance
  std::optional<double> spacingHMetres;  // --spacing-h M
  std::optional<double> sidelobesDb;     // --sidelobes S, 0 to 60
  bool sweep = false;                    // --sweep FROM:TO:STEP, wavelengths
  double sweepFromLambda = 0.0;
  double sweepToLambda = 0.0;
  double sweepStepLambda = 0.0;
  std::string svgFile;  // --svg FILE; empty: no chart
};

// The most rows a --sweep may ask for.
inline constexpr double kMostSweepRows = 10000.0;

struct Request {
  Format format = Format::kDefault;
  bool help = false;              // --help: print the usage and nothing else
  bool version = false;           // --version: print the version and nothing else
  bool batch = false;             // --batch: the records come from `batchFile`, not from the arguments
  std::string batchFile;          // "-" is standard input
  bool wavelengths = false;       // --wavelengths: the distances in wavelengths too
  bool tolerance = false;         // --tolerance: the distances at B + DEG and B - DEG too
  double toleranceDegrees = 0.0;  // DEG, finite and at least 0
  std::string hPlaneBeamwidth;
  std::string ePlaneBeamwidth;
  std::vector<std::string> frequencies;  // at least one unless `help`, `version`, `batch` or `stack.sweep`
  StackRequest stack;
};

// Reads `arguments` (without the program name). Answers false with `problem`
// set when an option is unknown, lacks its value or has a bad one, when a
// text is missing, or when texts come with --batch.
bool ReadArguments(const std::vector<std::string>& arguments, Request& request, std::string& problem);

// DEG of --tolerance, read strictly: optional "+", decimal digits with at most
// one ".", an optional exponent; finite and not below 0. False otherwise.
bool ReadDegrees(const std::string& text, double& degrees);

// A decimal number read strictly: optional sign, decimal digits with at most
// one ".", an optional exponent, nothing else; finite. False otherwise.
bool ReadDecimal(const std::string& text, double& value);

}  // namespace lobrin::calc
