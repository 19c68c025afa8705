#include "toolkit/number_text.h"

#include <cmath>
#include <limits>

#include "toolkit/fpu_control.h"

namespace lobrin {

namespace {

constexpr int kShownDigits = 15;
// Coarse normalisation brings a magnitude into [5e12, 1e13) before the fine step.
constexpr long double kCoarseLow = 5e12L;
constexpr long double kCoarseHigh = 1e13L;
// The fine step stops once the rounded value has all 15 digits.
constexpr long double kFifteenDigits = 1e14L;
// The extended constant nearest to one tenth (also the quotient 1/10 in extended).
constexpr long double kOneTenth = 0.1L;
// The 64-bit integer range that RealToInteger rounds within: [-2^63, 2^63).
constexpr long double kInt64Bound = 9223372036854775808.0L;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Rounds to the nearest integer, ties to even. The x87 `frndint` follows the
// rounding mode of the control word, which is round to nearest throughout.
long double RoundToNearest(long double x) {
  asm("frndint" : "+t"(x));
  return x;
}

// Decimal digits of an integer-valued extended in [0, 2^64), most significant first.
std::string DigitsOf(long double integral) {
  auto n = static_cast<std::uint64_t>(integral);
  char buffer[24];
  char* end = buffer + sizeof buffer;
  char* p = end;
  do {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  return std::string(p, end);
}

// magnitude x 10^n for a magnitude >= 0, 10^n formed by |n| successive
// multiplications by 10 or by one tenth in extended. The loop stops once the
// power is infinite or zero: no further multiplication could change it.
double ScaleByPowerOfTen(double magnitude, std::int32_t n) {
  long double power = 1.0L;
  // Magnitude as unsigned so that n = INT32_MIN does not overflow.
  std::uint32_t steps = n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
  const long double factor = n < 0 ? kOneTenth : 10.0L;
  for (std::uint32_t i = 0; i < steps; ++i) {
    power *= factor;
    if (power == 0.0L || std::isinf(power)) {
      break;
    }
  }
  const long double product = magnitude * power;
  // Zero times infinity, either way round, is the limit of the true value: zero.
  if (std::isnan(product)) {
    return 0.0;
  }
  return static_cast<double>(product);
}

}  // namespace

std::string IntegerToText(std::int32_t value) {
  const bool negative = value < 0;
  // Unsigned negation keeps the magnitude of -2147483648.
  std::uint32_t magnitude =
      negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  char buffer[12];
  char* end = buffer + sizeof buffer;
  char* p = end;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) {
    *--p = '-';
  }
  return std::string(p, end);
}

std::string RealToText(double value) {
  std::string text;
  RealToText(value, text);
  return text;
}

void RealToText(double value, std::string& text) {
  text.clear();
  if (std::isnan(value)) {
    text = "NAN";
    return;
  }
  if (std::isinf(value)) {
    text = value < 0 ? "-INF" : "INF";
    return;
  }

  long double x = value;
  if (x == 0.0L) {
    text = "0";
    return;
  }
  const bool negative = x < 0.0L;
  if (negative) {
    x = -x;
  }

  int exponent = kShownDigits;
  bool scaledUp = false;
  while (x < kCoarseLow) {
    x *= 10.0L;
    --exponent;
    scaledUp = true;
  }
  if (!scaledUp) {
    while (x >= kCoarseHigh) {
      x /= 10.0L;
      ++exponent;
    }
  }
  long double rounded = RoundToNearest(x);
  while (rounded < kFifteenDigits) {
    x *= 10.0L;
    --exponent;
    rounded = RoundToNearest(x);
  }
  const std::string digits = DigitsOf(rounded);

  if (negative) {
    text.push_back('-');
  }
  if (exponent >= kShownDigits) {
    // Whole numbers of 15 digits or more keep every zero: no trimming.
    text += digits;
    text.append(static_cast<std::size_t>(exponent - kShownDigits), '0');
    return;
  }
  if (exponent <= 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent), '0');
    text += digits;
  } else {
    text.append(digits, 0, static_cast<std::size_t>(exponent));
    text.push_back('.');
    text.append(digits, static_cast<std::size_t>(exponent), std::string::npos);
  }
  // Trailing zeros go, then the point itself if nothing follows it.
  std::size_t last = text.find_last_not_of('0');
  if (text[last] == '.') {
    --last;
  }
  text.erase(last + 1);
}

std::int32_t TextToInteger(const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    i = 1;
  }
  std::uint32_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (negative) {
    value = 0u - value;
  }
  return static_cast<std::int32_t>(value);
}

double TextToReal(const std::string& text) {
  double value = 0.0;
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) {
    i = 1;
  }
  bool pointSeen = false;
  double scale = 1.0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.') {
      if (pointSeen) {
        break;
      }
      pointSeen = true;
    } else if (IsDigit(c)) {
      if (!pointSeen) {
        // The character code is added before the 48 is taken off, as the
        // reading has always done it; the order matters in the last bit.
        value = static_cast<double>((static_cast<long double>(c) + value * 10.0L) - 48.0L);
      } else {
        scale = static_cast<double>(scale * kOneTenth);
        value = static_cast<double>(static_cast<long double>(c - '0') * scale + value);
      }
    } else if (c == 'E' || c == 'e') {
      value = ScaleByPowerOfTen(value, TextToInteger(text.substr(i + 1)));
      break;
    }
  }
  return negative ? -value : value;
}

std::int32_t RealToInteger(long double value) {
  if (!(value >= -kInt64Bound && value < kInt64Bound)) {
    return 0;  // also NaN
  }
  // Rounds under a fixed setting (extended, to nearest, nothing trapping) so
  // that a caller's changed control word cannot change the result.
  std::uint16_t saved = ReadFpuControlWord();
  std::uint16_t rounding = kExtendedNoTrapsControlWord;
  std::int64_t whole = 0;
  asm volatile(
      "fnclex\n\t"
      "fldcw %2\n\t"
      "fldt %1\n\t"
      "fistpll %0\n\t"
      "fnclex\n\t"
      "fldcw %3"
      : "=m"(whole)
      : "m"(value), "m"(rounding), "m"(saved));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole)));
}

int TextPosition(const std::string& needle, const std::string& haystack) {
  if (needle.empty()) {
    return 0;
  }
  const std::size_t found = haystack.find(needle);
  return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

void DeleteText(std::string& text, int position, int count) {
  if (position < 1 || count < 1) {
    return;
  }
  const auto start = static_cast<std::size_t>(position - 1);
  if (start >= text.size()) {
    return;
  }
  text.erase(start, static_cast<std::size_t>(count));
}

std::string TextFromBuffer(const char* buffer, std::size_t bound) {
  if (buffer == nullptr) {
    return std::string();
  }
  const std::size_t limit = bound == std::numeric_limits<std::size_t>::max() ? bound : bound + 1;
  std::size_t length = 0;
  while (length < limit && buffer[length] != '\0') {
    ++length;
  }
  return std::string(buffer, length);
}

}  // namespace lobrin
