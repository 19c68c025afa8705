#pragma once
// Conversions between numbers and text, independent of locale: the decimal
// separator is always ".", there is no thousands separator and no exponent form.
// All intermediate real arithmetic runs in x87 extended precision (long double).

#include <cstdint>
#include <string>

namespace lobrin {

// Decimal digits, "-" for negatives; -2147483648 keeps its magnitude.
std::string IntegerToText(std::int32_t value);

// At most 15 significant digits, no exponent, no trailing zeros; "0" for zero.
// A non-finite value gives "INF", "-INF" or "NAN".
std::string RealToText(double value);
// The same, written into `text` (its memory is reused).
void RealToText(double value, std::string& text);

// Optional "-" or "+", then decimal digits up to the first non-digit; wraps modulo 2^32.
std::int32_t TextToInteger(const std::string& text);

// Lenient scan: digits, one ".", an exponent part after "E"/"e"; every other
// character is skipped. A value beyond the double range gives +/- infinity.
double TextToReal(const std::string& text);

// Round to nearest, ties to even, then the low 32 bits. NaN, or a value beyond
// the 64-bit integer range, gives 0.
std::int32_t RealToInteger(long double value);

// RealToText and TextToReal by the plain steps alone: the magnitude scaled by
// 10 one step at a time, the scales of the fractional digits made one after
// another. The conversions above take shorter ways where these cannot give
// other digits or bits, under the program's control word (extended, round to
// nearest); tests and benchmarks hold them against these.
void RealToTextStepByStep(double value, std::string& text);
double TextToRealStepByStep(const std::string& text);

// The text operations the conversions and the elements share (1-based positions).
// Position of `needle` in `haystack`; 0 when absent or when `needle` is empty.
int TextPosition(const std::string& needle, const std::string& haystack);
// Removes `count` characters from `position`; out-of-range arguments change nothing.
void DeleteText(std::string& text, int position, int count);
// The characters of `buffer` up to its first zero byte, at most `bound` + 1 of them.
std::string TextFromBuffer(const char* buffer, std::size_t bound);

}  // namespace lobrin
