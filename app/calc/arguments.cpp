#include "app/calc/arguments.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "stack/stack_model.h"

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

// Whether `argument` is an option that takes a value.
bool TakesValue(const std::string& argument) {
  static const char* const kValued[] = {"--batch",     "--tolerance", "--bays-e", "--bays-h", "--spacing-e",
                                        "--spacing-h", "--sidelobes", "--sweep",  "--svg"};
  for (const char* name : kValued) {
    if (argument == name) {
      return true;
    }
  }
  return false;
}

bool ReadBays(const std::string& text, int& bays) {
  double value = 0.0;
  if (!ReadDecimal(text, value) || value != std::floor(value) || value < stack::kMinBays ||
      value > stack::kMaxBays) {
    return false;
  }
  bays = static_cast<int>(value);
  return true;
}

// A spacing in wavelengths of --sweep: above 0, at most the model's largest.
bool ReadSweepSpacing(const std::string& text, double& lambda) {
  return ReadDecimal(text, lambda) && lambda > 0.0 && lambda <= stack::kMaxSpacingLambda;
}

// FROM:TO:STEP of --sweep into `stack`.
bool ReadSweep(const std::string& text, StackRequest& stack) {
  const std::size_t first = text.find(':');
  const std::size_t second = first == std::string::npos ? first : text.find(':', first + 1);
  if (second == std::string::npos || text.find(':', second + 1) != std::string::npos) {
    return false;
  }
  if (!ReadSweepSpacing(text.substr(0, first), stack.sweepFromLambda) ||
      !ReadSweepSpacing(text.substr(first + 1, second - first - 1), stack.sweepToLambda) ||
      !ReadSweepSpacing(text.substr(second + 1), stack.sweepStepLambda)) {
    return false;
  }
  return stack.sweepFromLambda <= stack.sweepToLambda;
}

// Reads the value of the option `name` into `request`; false with `problem` set when it is bad.
bool ReadOptionValue(const std::string& name, const std::string& value, Request& request,
                     std::string& problem) {
  StackRequest& stack = request.stack;
  auto bad = [&](const std::string& takes) {
    problem = name + " takes " + takes + ", not '" + value + "'";
    return false;
  };
  double number = 0.0;
  if (name == "--batch") {
    request.batch = true;
    request.batchFile = value;
  } else if (name == "--tolerance") {
    if (!ReadDegrees(value, request.toleranceDegrees)) {
      return bad("a number of degrees, at least 0");
    }
    request.tolerance = true;
  } else if (name == "--bays-e" || name == "--bays-h") {
    if (!ReadBays(value, name == "--bays-e" ? stack.baysE : stack.baysH)) {
      return bad("a whole number of antennas from 1 to 8");
    }
  } else if (name == "--spacing-e" || name == "--spacing-h") {
    if (!ReadDecimal(value, number) || !(number > 0.0)) {
      return bad("a number of metres above 0");
    }
    (name == "--spacing-e" ? stack.spacingEMetres : stack.spacingHMetres) = number;
  } else if (name == "--sidelobes") {
    if (!ReadDecimal(value, number) || number < 0.0 || number > stack::kMaxSidelobeDb) {
      return bad("a number of dB from 0 to 60");
    }
    stack.sidelobesDb = number == 0.0 ? 0.0 : number;  // -0 is 0
  } else if (name == "--sweep") {
    if (!ReadSweep(value, stack)) {
      return bad("FROM:TO:STEP, wavelengths above 0 and at most 100, FROM not above TO");
    }
    if ((stack.sweepToLambda - stack.sweepFromLambda) / stack.sweepStepLambda >= kMostSweepRows) {
      problem = "--sweep " + value + " asks for more than 10000 rows";
      return false;
    }
    stack.sweep = true;
  } else if (name == "--svg") {
    if (value.empty()) {
      return bad("a FILE");
    }
    stack.svgFile = value;
  }
  return true;
}

// What --stack allows and needs, once every argument is read.
bool CheckStackCombination(const std::vector<std::string>& given, const Request& request,
                           std::string& problem) {
  static const char* const kStackOnly[] = {"--bays-e",    "--bays-h", "--spacing-e", "--spacing-h",
                                           "--sidelobes", "--sweep",  "--svg"};
  static const char* const kNotWithStack[] = {"--wavelengths", "--tolerance"};
  static const char* const kNotInBatch[] = {"--sweep", "--svg"};
  auto wasGiven = [&](const char* name) {
    for (const std::string& option : given) {
      if (option == name) {
        return true;
      }
    }
    return false;
  };
  for (const char* name : kStackOnly) {
    if (!request.stack.on && wasGiven(name)) {
      problem = std::string("option '") + name + "' goes with --stack";
      return false;
    }
  }
  if (!request.stack.on) {
    return true;
  }
  for (const char* name : kNotWithStack) {
    if (wasGiven(name)) {
      problem = std::string("option '") + name + "' does not go with --stack";
      return false;
    }
  }
  for (const char* name : kNotInBatch) {
    if (request.batch && wasGiven(name)) {
      problem = std::string("option '") + name + "' does not go with --batch";
      return false;
    }
  }
  return true;
}

}  // namespace

bool ReadDecimal(const std::string& text, double& value) {
  if (!IsDecimalNumber(text)) {
    return false;
  }
  const double read = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(read)) {
    return false;
  }
  value = read;
  return true;
}

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
  std::vector<std::string> given;  // the options, as named
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (optionsEnded || argument.compare(0, 2, "--") != 0) {
      texts.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--stack") {
      request.stack.on = true;
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
    } else if (TakesValue(argument)) {
      if (!hasValue) {
        const bool file = argument == "--batch" || argument == "--svg";
        problem = "option '" + argument +
                  (file                        ? "' needs a FILE"
                   : argument == "--tolerance" ? "' needs DEG"
                                               : "' needs a value");
        return false;
      }
      given.push_back(argument);
      if (!ReadOptionValue(argument, arguments[++i], request, problem)) {
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
  if (request.wavelengths) {
    given.emplace_back("--wavelengths");
  }
  if (!CheckStackCombination(given, request, problem)) {
    return false;
  }
  if (request.batch) {
    if (!texts.empty()) {
      problem = "--batch reads its texts from FILE, not from the arguments ('" + texts[0] + "')";
      return false;
    }
    return true;
  }
  static const char* const kNames[] = {"H-PLANE beamwidth", "E-PLANE beamwidth", "FREQUENCY"};
  const std::size_t needed = request.stack.sweep ? 2 : 3;  // a sweep in wavelengths needs no frequency
  if (texts.size() < needed) {
    problem = std::string("missing ") + kNames[texts.size()];
    return false;
  }
  request.hPlaneBeamwidth = texts[0];
  request.ePlaneBeamwidth = texts[1];
  request.frequencies.assign(texts.begin() + 2, texts.end());
  if (!request.stack.svgFile.empty() && request.frequencies.size() != 1) {
    problem = "--svg draws the chart of one FREQUENCY, not " + std::to_string(request.frequencies.size());
    return false;
  }
  return true;
}

}  // namespace lobrin::calc
