#pragma once
// The command line of lobrin-calc:
//   [OPTIONS] [--] H-PLANE E-PLANE FREQUENCY [FREQUENCY...]
//   [OPTIONS] --batch FILE
//
// Before "--", an argument that begins with "--" is an option; every other
// argument is a text as it would be typed into the window's box, so "-30" is
// a beamwidth. After "--" every argument is such a text. An option that takes
// a value (--batch FILE, --tolerance DEG) takes the next argument as it is.

#include <string>
#include <vector>

namespace lobrin::calc {

// kDefault: an aligned table for texts given as arguments, CSV in batch work.
enum class Format { kDefault, kCsv, kJson };

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
  std::vector<std::string> frequencies;  // at least one unless `help`, `version` or `batch`
};

// Reads `arguments` (without the program name). Answers false with `problem`
// set when an option is unknown, lacks its value or has a bad one, when a
// text is missing, or when texts come with --batch.
bool ReadArguments(const std::vector<std::string>& arguments, Request& request, std::string& problem);

// DEG of --tolerance, read strictly: optional "+", decimal digits with at most
// one ".", an optional exponent; finite and not below 0. False otherwise.
bool ReadDegrees(const std::string& text, double& degrees);

}  // namespace lobrin::calc
