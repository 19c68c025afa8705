// libFuzzer on the windowless calculator: three arbitrary texts (split at the
// first two zero bytes of the input) become the H-plane and E-plane
// beamwidths and the frequency of one Calculate on a fresh graph. Under
// AddressSanitizer and UBSan, any fault ends the run; besides, the four texts
// must be what the window can show:
//  - only digits, one point at most and a leading minus; never INF or NAN;
//  - a plane's feet are 3.28084 times its metres as shown; they are empty
//    when the metres are, or when that product is beyond the double range;
//  - the planes are independent: the beamwidths swapped give the results swapped;
//  - one graph reset and used again for every input (as lobrin-calc --batch
//    uses it) shows what the fresh graph shows.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/headless_calculator.h"
#include "toolkit/fpu_control.h"
#include "toolkit/number_text.h"

namespace {

using lobrin::DistanceTexts;

constexpr double kFeetPerMetre = 3.28084;

void Fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "calculator fuzzer: %s: '%s'\n", what, text.c_str());
  std::abort();
}

bool IsNumberText(const std::string& text) {
  std::size_t i = text.size() > 1 && text[0] == '-' ? 1 : 0;
  int points = 0;
  for (; i < text.size(); ++i) {
    if (text[i] == '.') {
      ++points;
    } else if (text[i] < '0' || text[i] > '9') {
      return false;
    }
  }
  return points <= 1;
}

void CheckPlane(const std::string& metres, const std::string& feet) {
  if (!IsNumberText(metres)) {
    Fail("metres are no number text", metres);
  }
  if (!IsNumberText(feet)) {
    Fail("feet are no number text", feet);
  }
  if (metres.empty()) {
    if (!feet.empty()) {
      Fail("feet without metres", feet);
    }
    return;
  }
  // The feet element multiplies in extended precision and keeps a double.
  const double feetValue =
      static_cast<double>(static_cast<long double>(kFeetPerMetre) * lobrin::TextToReal(metres));
  if (!std::isfinite(feetValue)) {
    if (!feet.empty()) {
      Fail("feet beyond the double range shown", metres + " / " + feet);
    }
    return;
  }
  if (feet != lobrin::RealToText(feetValue)) {
    Fail("feet are not 3.28084 times the metres shown", metres + " / " + feet);
  }
}

// The next text up to a zero byte (or the end); `at` moves past it.
std::string NextText(const std::uint8_t* data, std::size_t size, std::size_t& at) {
  std::string text;
  while (at < size && data[at] != 0) {
    text.push_back(static_cast<char>(data[at++]));
  }
  if (at < size) {
    ++at;
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lobrin::SetExtendedPrecisionNoTraps();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t at = 0;
  const std::string h = NextText(data, size, at);
  const std::string e = NextText(data, size, at);
  const std::string frequency = NextText(data, size, at);

  const DistanceTexts shown = lobrin::CalculateOnce(h, e, frequency);
  CheckPlane(shown.hMetres, shown.hFeet);
  CheckPlane(shown.eMetres, shown.eFeet);

  const DistanceTexts swapped = lobrin::CalculateOnce(e, h, frequency);
  if (swapped.hMetres != shown.eMetres || swapped.hFeet != shown.eFeet || swapped.eMetres != shown.hMetres ||
      swapped.eFeet != shown.hFeet) {
    Fail("the planes depend on each other", h + " / " + e + " at " + frequency);
  }

  static lobrin::HeadlessCalculator reused;
  DistanceTexts again;
  reused.Calculate(h, e, frequency, again);
  if (!(again == shown)) {
    Fail("a reset graph shows other texts than a fresh one", h + " / " + e + " at " + frequency);
  }
  return 0;
}
