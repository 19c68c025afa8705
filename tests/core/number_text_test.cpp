#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "toolkit/fpu_control.h"
#include "toolkit/number_text.h"

namespace lobrin {
namespace {

using Limits = std::numeric_limits<double>;

// Same double, bit for bit (so -0.0 and 0.0 differ).
bool SameBits(double a, double b) {
  std::uint64_t aBits = 0, bBits = 0;
  std::memcpy(&aBits, &a, sizeof a);
  std::memcpy(&bBits, &b, sizeof b);
  return aBits == bBits;
}

TEST(NumberText, RealToTextShowsAtMostFifteenDigitsWithoutExponent) {
  const struct {
    double value;
    std::string text;
  } cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {1.0, "1"},
      {3.0, "3"},
      {100.0, "100"},
      {-2.5, "-2.5"},
      {0.1, "0.1"},
      {0.5, "0.5"},
      {0.30000000000000004, "0.3"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {1234.5, "1234.5"},
      {9.999999999999995, "10"},
      {1e-5, "0.00001"},
      {-1e-7, "-0.0000001"},
      {10.0, "10"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1234567890123460"},
      {123.456, "123.456"},
      {1e20, "100000000000000000000"},
      {1e14, "100000000000000"},
      {1e15, "1000000000000000"},
      {-4.024690942871119, "-4.02469094287112"},
      {2.0833333333333335, "2.08333333333333"},
      {100000000000000.5, "100000000000000"},
      {100000000000001.5, "100000000000002"},  // ties go to even
      {12345678901234.0, "12345678901234"},    // one digit short of 15 significant ones: the point still goes
      {Limits::infinity(), "INF"},
      {-Limits::infinity(), "-INF"},
      {Limits::quiet_NaN(), "NAN"},
      // Extreme magnitudes are written out in full.
      {Limits::max(), "179769313486232" + std::string(294, '0')},
      {Limits::denorm_min(), "0." + std::string(323, '0') + "494065645841247"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RealToText(c.value), c.text) << "value " << c.value;
  }
}

TEST(NumberText, TextToRealScansLenientlyAndBeyondTheDoubleRangeGivesInfinityOrZeroButNeverNan) {
  const std::string manyDigits(500, '9');
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {"", 0.0},
      {"1.5", 1.5},
      {".5", 0.5},
      {"1,5", 15.0},
      {" 1 000 ", 1000.0},
      {"+5", 5.0},
      {"--5", -5.0},
      {"3-", 3.0},
      {"1.2.3", 1.2},
      {"12abc", 12.0},
      {"1x2", 12.0},
      {"abc", 0.0},
      {"1e3", 1000.0},
      {"1E-2", 0.01},
      {"2.5e1", 25.0},
      {"1.5e+2", 150.0},
      {"1e", 1.0},
      {"e5", 0.0},
      {"-", -0.0},
      {"0.3", 0.30000000000000004},
      {"30,5", 305.0},
      {"144", 144.0},
      {"-30", -30.0},
      {"4.02469094287112", 4.02469094287112},
      {"1e1e1", 10.0},
      {"5e 3", 5.0},
      {"\x80"
       "7\xff",
       7.0},
      {"1e999", Limits::infinity()},
      {"-1e999", -Limits::infinity()},
      {"1e2147483647", Limits::infinity()},
      {"1e-2147483648", 0.0},
      {"1e-99999", 0.0},
      {"0e99999", 0.0},
      {"-0e99999", -0.0},
      {"1e-400", 0.0},
      {manyDigits, Limits::infinity()},
      {manyDigits + "e-99999", 0.0},
      {"0." + manyDigits, 1.0},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(SameBits(TextToReal(c.text), c.value))
        << c.text.substr(0, 20) << " gave " << TextToReal(c.text);
  }
  // An underflowing exponent fades through the denormals, silently.
  EXPECT_GT(TextToReal("1e-320"), 0.0);
  EXPECT_LT(TextToReal("1e-320"), Limits::min());
}

// RealToText scales a magnitude to 15 digits in one multiplication where that
// rounds as the steps do; these values scale to within 1/256 of a rounding tie
// or of 1e15, where one multiplication alone would give another last digit or
// a sixteenth digit.
TEST(NumberText, RealToTextNearARoundingTieShowsTheDigitsOfTheSteps) {
  const struct {
    double value;
    std::string text;
  } cases[] = {
      {86828778.30926615, "86828778.3092661"},
      {0.7990111267582235, "0.799011126758224"},
      {-0.7990111267582235, "-0.799011126758224"},
      {0.04409092288600025, "0.0440909228860002"},
      {0.04490616473572695, "0.0449061647357269"},
      {5.809132257491535e-10, "0.000000000580913225749154"},
      {2.413037537428095e-11, "0.0000000000241303753742809"},
      {9.9999999999999964, "10"},
      {9.9999999999999947, "10"},
      {99999999999999.953, "100000000000000"},
      // The ends of the one-multiplication range, about 1e-13 and 1e42.
      {1e-13, "0.0000000000001"},
      {9.9999999999999902e-14, "0.0000000000001"},
      {1e41, "1" + std::string(41, '0')},
      {1.5e42, "15" + std::string(41, '0')},
      {1.2345678901234568e17, "123456789012346000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RealToText(c.value), c.text) << "value " << c.value;
    std::string steps;
    RealToTextStepByStep(c.value, steps);
    EXPECT_EQ(steps, c.text) << "value " << c.value;
  }
}

// TextToReal reads a plain decimal with its integer part in a 64-bit integer and
// rounds each fractional digit's sum to double inside the x87 registers; these
// texts sit at the ends of that: 15 and 16 integer digits, 40 and 41 fractional
// ones, sums that reach the next power of two, a first digit far down.
TEST(NumberText, TextToRealOfAPlainDecimalHasTheBitsOfTheSteps) {
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {"999999999999999.5", 999999999999999.5},
      {"9999999999999999.5", 10000000000000000.0},
      {"9007199254740993", 9007199254740992.0},
      {"1.9999999999999999999", 1.9999999999999998},
      {"0.0624999999999999999", 0.0625},
      {"0.99999999999999999999", 1.0},
      {"0." + std::string(38, '0') + "1", 1.0000000000000004e-39},
      {"1." + std::string(40, '0') + "1", 1.0},
      {"-.5", -0.5},
      {"0.", 0.0},
      {"-0.000", -0.0},
      {".", 0.0},
      {"00012.50", 12.5},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(SameBits(TextToReal(c.text), c.value)) << c.text << " gave " << TextToReal(c.text);
    EXPECT_TRUE(SameBits(TextToRealStepByStep(c.text), c.value)) << c.text;
  }
}

// Random values of every kind the calculator meets, compared with the steps
// digit for digit: any double at all, decimals of 1 to 3 places (frequencies,
// beamwidths), the distances the window computes, and the magnitudes where the
// one multiplication ends.
TEST(NumberText, RealToTextOfRandomValuesShowsTheDigitsOfTheSteps) {
  std::mt19937_64 random(20240524);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<double> values;
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t bits = random();
    double anyDouble = 0.0;
    std::memcpy(&anyDouble, &bits, sizeof anyDouble);
    values.push_back(anyDouble);
    const auto thousandths = static_cast<double>(random() % 20000000);
    const int places = 1 + static_cast<int>(random() % 3);
    values.push_back(std::round(thousandths / std::pow(10.0, 3 - places)) / std::pow(10.0, places));
    const double frequency = 1.8 + unit(random) * 10000.0;
    const double halfAngle = unit(random) * 1.5;
    values.push_back(300.0 / frequency / (2.0 * std::sin(halfAngle)));
    values.push_back(std::ldexp(1.0 + unit(random), static_cast<int>(random() % 200) - 100));
    values.push_back(-std::ldexp(1.0 + unit(random), static_cast<int>(random() % 12) - 46));
  }
  int differing = 0;
  std::string quick, steps;
  for (const double value : values) {
    RealToText(value, quick);
    RealToTextStepByStep(value, steps);
    if (quick != steps && ++differing <= 5) {
      ADD_FAILURE() << std::hexfloat << value << ": " << quick << " against the steps' " << steps;
    }
  }
  EXPECT_EQ(differing, 0) << "of " << values.size();
}

// Random texts compared with the steps bit for bit: plain decimals of 0 to 17
// integer and 0 to 44 fractional digits (random, mostly nines, mostly zeros),
// the same with an exponent, and what RealToText writes for random values
// from 2^-50 to 2^50, which the window reads back.
TEST(NumberText, TextToRealOfRandomTextsHasTheBitsOfTheSteps) {
  std::mt19937_64 random(4711);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto digit = [&](int style) {
    const char any = static_cast<char>('0' + random() % 10);
    switch (style) {
      case 0: return any;
      case 1: return random() % 3 != 0 ? '9' : any;
      default: return random() % 3 != 0 ? '0' : any;
    }
  };
  std::vector<std::string> texts;
  for (int i = 0; i < 30000; ++i) {
    std::string text = random() % 4 == 0 ? "-" : "";
    const int style = static_cast<int>(random() % 3);
    const int integerDigits = static_cast<int>(random() % 18);
    for (int k = 0; k < integerDigits; ++k) {
      text += digit(style);
    }
    if (random() % 5 != 0) {
      text += '.';
      const int fractionDigits = static_cast<int>(random() % 45);
      for (int k = 0; k < fractionDigits; ++k) {
        text += digit(style);
      }
    }
    texts.push_back(text);
    if (i % 10 == 0) {
      texts.push_back(text + (random() % 2 != 0 ? "e-" : "E") + std::to_string(random() % 40));
    }
    texts.push_back(RealToText(std::ldexp(1.0 + unit(random), static_cast<int>(random() % 100) - 50)));
  }
  int differing = 0;
  for (const std::string& text : texts) {
    const double quick = TextToReal(text);
    const double steps = TextToRealStepByStep(text);
    if (!SameBits(quick, steps) && ++differing <= 5) {
      ADD_FAILURE() << text << ": " << std::hexfloat << quick << " against the steps' " << steps;
    }
  }
  EXPECT_EQ(differing, 0) << "of " << texts.size();
}

TEST(NumberText, TextToIntegerReadsDigitsAfterAnOptionalSignAndWraps) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"", 0},
      {"-12", -12},
      {"+12", 12},
      {" 12", 0},
      {"12.7", 12},
      {"12abc", 12},
      {"-", 0},
      {"2147483648", INT32_MIN},
      {"4294967297", 1},
      {"1e3", 1},
      {"-2147483648", INT32_MIN},
      {"+-1", 0},
      {"99999999999999999999", 1661992959},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToInteger(c.text), c.value) << "text \"" << c.text << "\"";
  }
}

TEST(NumberText, RealToIntegerRoundsTiesToEvenAndKeepsTheLow32Bits) {
  const struct {
    long double value;
    std::int32_t result;
  } cases[] = {
      {2.5L, 2},
      {3.5L, 4},
      {-2.5L, -2},
      {2.4999L, 2},
      {1e10L, 1410065408},
      {-0.5L, 0},
      {2147483648.0L, INT32_MIN},
      // The 64-bit range ends the rounding; beyond it, and for NaN, the result is 0.
      {-9223372036854775808.0L, 0},
      {9223372036854775807.0L, -1},
      {9223372036854775808.0L, 0},
      {1e300L, 0},
      {-1e300L, 0},
      {std::numeric_limits<long double>::infinity(), 0},
      {-std::numeric_limits<long double>::infinity(), 0},
      {Limits::quiet_NaN(), 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RealToInteger(c.value), c.result) << "value " << double(c.value);
  }
}

TEST(NumberText, RealToIntegerIgnoresTheCallersRoundingMode) {
  EXPECT_EQ(ReadFpuControlWord(), kExtendedNoTrapsControlWord) << "test programs start as the program does";
  // Round toward zero in the control word's rounding bits.
  const std::uint16_t saved = ReadFpuControlWord();
  std::uint16_t chopping = saved | 0x0C00;
  asm volatile("fldcw %0" : : "m"(chopping));
  const std::int32_t rounded = RealToInteger(2.75L);
  const std::uint16_t after = ReadFpuControlWord();
  asm volatile("fldcw %0" : : "m"(saved));
  EXPECT_EQ(rounded, 3);
  EXPECT_EQ(after, chopping);
}

TEST(NumberText, TextOperationsCountFromOne) {
  EXPECT_EQ(TextPosition("cb", "abcb"), 3);
  EXPECT_EQ(TextPosition("x", "abc"), 0);
  EXPECT_EQ(TextPosition("", "abc"), 0) << "an empty part is never found";

  const struct {
    int position, count;
    const char* after;
  } deletions[] = {{2, 2, "adef"}, {5, 99, "abcd"}, {7, 1, "abcdef"}, {0, 1, "abcdef"}, {1, INT_MAX, ""}};
  for (const auto& d : deletions) {
    std::string text = "abcdef";
    DeleteText(text, d.position, d.count);
    EXPECT_EQ(text, d.after) << "delete " << d.count << " at " << d.position;
  }

  const char buffer[] = {'a', 'b', 'c', '\0', 'd'};
  EXPECT_EQ(TextFromBuffer(buffer, 10), "abc");
  EXPECT_EQ(TextFromBuffer(buffer, 1), "ab");  // the bound plus one
  EXPECT_EQ(TextFromBuffer(nullptr, 3), "");
}

TEST(FpuControl, OverflowAndInvalidOperationsDoNotTrap) {
  volatile long double huge = std::numeric_limits<long double>::max();
  volatile long double zero = 0.0L;
  EXPECT_TRUE(std::isinf(huge * 2.0L));
  EXPECT_TRUE(std::isinf(1.0L / zero));
  EXPECT_TRUE(std::isnan(zero / zero));
}

}  // namespace
}  // namespace lobrin
