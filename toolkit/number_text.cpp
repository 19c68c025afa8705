#include "toolkit/number_text.h"

#include <cmath>
#include <cstring>
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
constexpr long double kSixteenDigits = 1e15L;
// The extended constant nearest to one tenth (also the quotient 1/10 in extended).
constexpr long double kOneTenth = 0.1L;
// The 64-bit integer range that RealToInteger rounds within: [-2^63, 2^63).
constexpr long double kInt64Bound = 9223372036854775808.0L;

// 10^0 to 10^27: every one of them is exact in extended (5^27 < 2^64).
constexpr long double kExactPowersOfTen[] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
    1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
constexpr int kLargestExactPower = 27;
// How far the one-step scaling must land from a rounding tie to round as the
// step-by-step scaling does. The steps round at most 31 times (27 powers, plus
// up to two divisions and two multiplications that cancel), the one step once;
// each rounding moves a value below 2^50 by at most 2^50 x 2^-64 = 2^-14, so
// the two differ by less than 32 x 2^-14 = 1/512. The margin is four times that.
constexpr long double kTieMargin = 1.0L / 128;
// Below 1e15 - 10 the step before the last surely rounds below 1e14, so the
// steps stop at the same power as the one step.
constexpr long double kLastStepBound = kSixteenDigits - 10.0L;
// Integer parts of up to 15 digits read exactly: every partial value is a whole
// number below 2^53, where each step is exact.
constexpr int kExactIntegerDigits = 15;
// Fractional digits read with the scales taken from a table.
constexpr int kTabledScales = 40;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Rounds to the nearest integer, ties to even. The x87 `frndint` follows the
// rounding mode of the control word, which is round to nearest throughout.
long double RoundToNearest(long double x) {
  asm("frndint" : "+t"(x));
  return x;
}

// The nearest integer to x in [0, 2^63), ties to even, in one x87 store that
// rounds by the control word (round to nearest throughout).
std::uint64_t NearestWhole(long double x) {
  std::int64_t whole = 0;
  asm("fistpll %0" : "=m"(whole) : "t"(x) : "st");
  return static_cast<std::uint64_t>(whole);
}

// A magnitude rounded to 15 significant digits: digits x 10^(exponent - 15),
// digits in [1e14, 1e15).
struct FifteenDigits {
  std::uint64_t digits = 0;
  int exponent = 0;
};

// The digits by the steps the calculator has always taken: x multiplied or
// divided by 10 in extended, one step at a time, rounded after each step.
FifteenDigits FifteenDigitsStepByStep(long double x) {
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
  return {NearestWhole(rounded), exponent};
}

// The same digits from one multiplication or division by an exact power of
// ten, where that cannot round otherwise than the steps: false for a
// magnitude outside about [1e-13, 1e42), a denormal, or a scaled value too
// near a rounding tie or too near 1e15.
bool FifteenDigitsInOneStep(double magnitude, FifteenDigits& result) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biasedExponent = static_cast<int>(bits >> 52) & 0x7FF;
  if (biasedExponent == 0) {
    return false;
  }
  // log10(2) ~ 1233 / 4096: a first guess at the power of ten, put right below.
  const int binaryExponent = biasedExponent - 1023;
  const int guess =
      binaryExponent >= 0 ? binaryExponent * 1233 / 4096 : -((-binaryExponent * 1233 + 4095) / 4096);
  int scale = kShownDigits - 1 - guess;
  const long double x = magnitude;
  for (int tries = 0; tries < 3; ++tries) {
    if (scale > kLargestExactPower || scale < -kLargestExactPower) {
      return false;
    }
    const long double scaled = scale >= 0 ? x * kExactPowersOfTen[scale] : x / kExactPowersOfTen[-scale];
    if (scaled < kFifteenDigits) {
      ++scale;
    } else if (scaled >= kSixteenDigits) {
      --scale;
    } else {
      if (scaled >= kLastStepBound) {
        return false;
      }
      const std::uint64_t whole = NearestWhole(scaled);
      // Exact: both lie within one half of each other.
      const long double offset = scaled - static_cast<long double>(whole);
      if (offset > 0.5L - kTieMargin || offset < kTieMargin - 0.5L) {
        return false;
      }
      result = {whole, kShownDigits - scale};
      return true;
    }
  }
  return false;
}

// Writes the 15 decimal digits of a value in [1e14, 1e15) into `out`.
void WriteFifteenDigits(std::uint64_t value, char* out) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  // The low eight digits and the high seven, each in 32-bit arithmetic.
  auto low = static_cast<std::size_t>(value % 100000000u);
  auto high = static_cast<std::size_t>(value / 100000000u);
  for (int at = 13; at >= 7; at -= 2) {
    std::memcpy(out + at, kPairs + (low % 100) * 2, 2);
    low /= 100;
  }
  for (int at = 5; at >= 1; at -= 2) {
    std::memcpy(out + at, kPairs + (high % 100) * 2, 2);
    high /= 100;
  }
  out[0] = static_cast<char>('0' + high);
}

// Appends what RealToText writes for a value of the sign `negative` and the magnitude `shown`.
void AppendShown(bool negative, const FifteenDigits& shown, std::string& text) {
  char digits[kShownDigits];
  WriteFifteenDigits(shown.digits, digits);
  if (negative) {
    text.push_back('-');
  }
  const int exponent = shown.exponent;
  if (exponent >= kShownDigits) {
    // Whole numbers of 15 digits or more keep every zero: no trimming.
    text.append(digits, kShownDigits);
    text.append(static_cast<std::size_t>(exponent - kShownDigits), '0');
    return;
  }
  // Trailing zeros go, then the point itself if nothing follows it. The first
  // digit is never zero.
  int used = kShownDigits;
  while (digits[used - 1] == '0') {
    --used;
  }
  if (exponent <= 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-exponent), '0');
    text.append(digits, static_cast<std::size_t>(used));
  } else if (used <= exponent) {
    text.append(digits, static_cast<std::size_t>(exponent));
  } else {
    text.append(digits, static_cast<std::size_t>(exponent));
    text.push_back('.');
    text.append(digits + exponent, static_cast<std::size_t>(used - exponent));
  }
}

// Writes "NAN", "INF", "-INF" or "0" for a value that has no digits to scale;
// false for any other value.
bool WriteWithoutDigits(double value, std::string& text) {
  if (std::isnan(value)) {
    text = "NAN";
  } else if (std::isinf(value)) {
    text = value < 0 ? "-INF" : "INF";
  } else if (value == 0.0) {
    text = "0";
  } else {
    return false;
  }
  return true;
}

// The scales of the fractional digits, one tenth after another: scale k + 1 is
// scale k times one tenth in extended, rounded to double, as the reading takes
// them. Made on first use, under the program's control word.
struct FractionScales {
  double scale[kTabledScales + 1];
  FractionScales() : scale() {
    scale[0] = 1.0;
    for (int k = 1; k <= kTabledScales; ++k) {
      scale[k] = static_cast<double>(scale[k - 1] * kOneTenth);
    }
  }
};

// 2^n for a normal double exponent n, from its bits.
double PowerOfTwo(int n) {
  const std::uint64_t bits = static_cast<std::uint64_t>(n + 1023) << 52;
  double power = 0.0;
  std::memcpy(&power, &bits, sizeof power);
  return power;
}

// The binary exponent of a positive normal double.
int BinaryExponent(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return static_cast<int>(bits >> 52) - 1023;
}

// Rounds extended values to double, ties to even, without leaving the x87
// registers, for values in one binade [2^e, 2^(e + 1)) at a time: adding
// 1.5 x 2^(e + 11) leaves exactly the bits of a double's significand in
// extended, and taking it off again is exact.
class DoubleRounding {
 public:
  explicit DoubleRounding(double start) { Enter(BinaryExponent(start)); }

  // `sum` rounded to double; `sum` is at least the binade's start and below
  // twice its end.
  long double Round(long double sum) {
    if (sum >= binadeEnd_) {
      Enter(binade_ + 1);
    }
    return (sum + shift_) - shift_;
  }

 private:
  void Enter(int binade) {
    binade_ = binade;
    binadeEnd_ = PowerOfTwo(binade + 1);
    shift_ = 1.5L * PowerOfTwo(binade + 11);
  }

  int binade_ = 0;
  long double binadeEnd_ = 0.0L;
  long double shift_ = 0.0L;
};

// The value of `text` as TextToReal reads it, where the text is a plain decimal:
// an optional "-", at most 15 digits, and optionally "." and at most 40 digits,
// nothing else. False for every other text.
//
// Each fractional digit adds digit x scale in extended to the value, rounded to
// double, as in TextToRealStepByStep; a zero digit adds +0, which changes
// nothing. The value only grows, and each digit adds less than the value holds
// once it holds a digit, so the sum stays below twice the value's binade.
bool ReadPlainDecimal(const std::string& text, double& result) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (negative) {
    ++p;
  }
  const char* const integerStart = p;
  std::uint64_t whole = 0;
  for (; p != end && IsDigit(*p); ++p) {
    whole = whole * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  if (p - integerStart > kExactIntegerDigits) {
    return false;
  }
  double value = static_cast<double>(whole);
  if (p != end) {
    if (*p != '.') {
      return false;
    }
    ++p;
    if (end - p > kTabledScales) {
      return false;
    }
    static const FractionScales kScales;
    int k = 1;
    // Up to the first digit that is not zero when there is no whole part.
    for (; value == 0.0 && p != end; ++p, ++k) {
      if (!IsDigit(*p)) {
        return false;
      }
      value = static_cast<double>(static_cast<long double>(*p - '0') * kScales.scale[k]);
    }
    if (p != end) {
      DoubleRounding rounding(value);
      long double sum = value;
      for (; p != end; ++p, ++k) {
        if (!IsDigit(*p)) {
          return false;
        }
        if (*p != '0') {
          sum = rounding.Round(static_cast<long double>(*p - '0') * kScales.scale[k] + sum);
        }
      }
      value = static_cast<double>(sum);
    }
  }
  result = negative ? -value : value;
  return true;
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
  if (WriteWithoutDigits(value, text)) {
    return;
  }
  FifteenDigits shown;
  if (!FifteenDigitsInOneStep(std::fabs(value), shown)) {
    shown = FifteenDigitsStepByStep(std::fabs(value));
  }
  AppendShown(value < 0.0, shown, text);
}

void RealToTextStepByStep(double value, std::string& text) {
  text.clear();
  if (WriteWithoutDigits(value, text)) {
    return;
  }
  AppendShown(value < 0.0, FifteenDigitsStepByStep(std::fabs(value)), text);
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
  if (ReadPlainDecimal(text, value)) {
    return value;
  }
  return TextToRealStepByStep(text);
}

double TextToRealStepByStep(const std::string& text) {
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
