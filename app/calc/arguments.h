#pragma once
// The command line of lobrin-calc: [--csv] [--] H-PLANE E-PLANE FREQUENCY [FREQUENCY...].
//
// Before "--", an argument that begins with "--" is an option; every other
// argument is a text as it would be typed into the window's box, so "-30" is
// a beamwidth. After "--" every argument is such a text.

#include <string>
#include <vector>

namespace lobrin::calc {

enum class Format { kTable, kCsv };

struct Request {
  Format format = Format::kTable;
  bool help = false;     // --help: print the usage and nothing else
  bool version = false;  // --version: print the version and nothing else
  std::string hPlaneBeamwidth;
  std::string ePlaneBeamwidth;
  std::vector<std::string> frequencies;  // at least one unless `help`
};

// Reads `arguments` (without the program name). Answers false with `problem`
// set when an option is unknown or a text is missing.
bool ReadArguments(const std::vector<std::string>& arguments, Request& request, std::string& problem);

}  // namespace lobrin::calc
