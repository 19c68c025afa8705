#include "app/calc/arguments.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace lobrin::calc {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Moves `at` past a run of decimal digits; answers how many there were.
std::size_t SkipDigits(const std::string& text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && IsDigit(text[at])) {
    ++at;
  }
  return at - start;
}

// [+-] digits [. digits] | [+-] . digits, then an optional exponent: the whole text.
bool IsDecimalNumber(const std::string& text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    ++at;
  }
  std::size_t digits = SkipDigits(text, at);
  if (at < text.size() && text[at] == '.') {
    ++at;
    digits += SkipDigits(text, at);
  }
  if (digits == 0) {
    return false;
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
      ++at;
    }
    if (SkipDigits(text, at) == 0) {
      return false;
    }
  }
  return at == text.size();
}

}  // namespace

bool ReadDegrees(const std::string& text, double& degrees) {
  if (!IsDecimalNumber(text)) {
    return false;
  }
  const double value = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(value) || value < 0.0) {
    return false;
  }
  degrees = value == 0.0 ? 0.0 : value;  // -0 is 0
  return true;
}

bool ReadArguments(const std::vector<std::string>& arguments, Request& request, std::string& problem) {
  std::vector<std::string> texts;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (optionsEnded || argument.compare(0, 2, "--") != 0) {
      texts.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--csv") {
      request.format = Format::kCsv;
    } else if (argument == "--json") {
      request.format = Format::kJson;
    } else if (argument == "--wavelengths") {
      request.wavelengths = true;
    } else if (argument == "--help") {
      request.help = true;
    } else if (argument == "--version") {
      request.version = true;
    } else if (argument == "--batch" || argument == "--tolerance") {
      if (!hasValue) {
        problem = "option '" + argument + (argument == "--batch" ? "' needs a FILE" : "' needs DEG");
        return false;
      }
      const std::string& value = arguments[++i];
      if (argument == "--batch") {
        request.batch = true;
        request.batchFile = value;
      } else if (ReadDegrees(value, request.toleranceDegrees)) {
        request.tolerance = true;
      } else {
        problem = "--tolerance takes a number of degrees, at least 0, not '" + value + "'";
        return false;
      }
    } else {
      problem = "unknown option '" + argument + "'";
      return false;
    }
  }
  if (request.help || request.version) {
    return true;
  }
  if (request.batch) {
    if (!texts.empty()) {
      problem = "--batch reads its texts from FILE, not from the arguments ('" + texts[0] + "')";
      return false;
    }
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
