#include "app/calc/arguments.h"

namespace lobrin::calc {

bool ReadArguments(const std::vector<std::string>& arguments, Request& request, std::string& problem) {
  std::vector<std::string> texts;
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (optionsEnded || argument.compare(0, 2, "--") != 0) {
      texts.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--csv") {
      request.format = Format::kCsv;
    } else if (argument == "--help") {
      request.help = true;
    } else if (argument == "--version") {
      request.version = true;
    } else {
      problem = "unknown option '" + argument + "'";
      return false;
    }
  }
  if (request.help || request.version) {
    return true;
  }
  static const char* const kNames[] = {"H-PLANE beamwidth", "E-PLANE beamwidth", "FREQUENCY"};
  if (texts.size() < 3) {
    problem = std::string("missing ") + kNames[texts.size()];
    return false;
  }
  request.hPlaneBeamwidth = texts[0];
  request.ePlaneBeamwidth = texts[1];
  request.frequencies.assign(texts.begin() + 2, texts.end());
  return true;
}

}  // namespace lobrin::calc
