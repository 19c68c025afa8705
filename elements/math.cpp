#include "elements/math.h"

#include <cmath>

#include "toolkit/number_text.h"

namespace lobrin {

namespace {

// pi (the x87 constant) divided by 180 in extended, rounded to double.
double DegreeFactor() {
  long double pi;
  asm("fldpi" : "=t"(pi));
  return static_cast<double>(pi / 180.0L);
}

// The x87 sine of an extended argument; a magnitude of 2^63 or more comes back unchanged.
long double ExtendedSine(long double argument) {
  asm("fsin" : "+t"(argument));
  return argument;
}

}  // namespace

void THIMath::SetInitialResult(double value) {
  initialResult = value;
  result = value;
  errorFlag = false;
}

void THIMath::SetAngleMode(std::uint8_t mode) { angleFactor = mode == kAngleRadians ? 1.0 : DegreeFactor(); }

void THIMath::computePoint(TData& value, std::uint16_t) {
  switch (operationKind) {
    case kMathSine: {
      const double operand = RealFromLink(value, firstOperandLink, firstDefault);
      if (!std::isfinite(operand)) {
        RefuseOperand();
      } else {
        Deliver(ExtendedSine(static_cast<long double>(angleFactor) * operand));
      }
      break;
    }
    case kMathMultiply: {
      const double first = RealFromLink(value, firstOperandLink, firstDefault);
      const double second = RealFromLink(value, secondOperandLink, secondDefault);
      if (!std::isfinite(first) || !std::isfinite(second)) {
        RefuseOperand();
      } else {
        Deliver(static_cast<long double>(first) * second);
      }
      break;
    }
    case kMathDivide: {
      const double first = RealFromLink(value, firstOperandLink, firstDefault);
      const double second = RealFromLink(value, secondOperandLink, secondDefault);
      if (!std::isfinite(first) || !std::isfinite(second)) {
        RefuseOperand();
      } else if (second == 0.0) {  // -0.0 too
        TakeErrorPath();
      } else {
        Deliver(static_cast<long double>(first) / second);
      }
      break;
    }
    default: break;
  }
}

void THIMath::resultPoint(TData& value, std::uint16_t) {
  if (errorFlag) {
    SetNull(value);
  } else if (realResult) {
    SetReal(value, result);
  } else {
    SetInteger(value, RealToInteger(result));
  }
}

void THIMath::Deliver(long double exact) {
  const double stored = static_cast<double>(exact);
  if (!std::isfinite(stored)) {
    TakeErrorPath();
    return;
  }
  result = stored;
  errorFlag = false;
  if (realResult) {
    FireReal(resultEvent, result);
  } else {
    FireInteger(resultEvent, RealToInteger(result));
  }
}

void THIMath::RefuseOperand() {
  TakeErrorPath();
  FireNull(resultEvent);
}

void THIMath::TakeErrorPath() {
  result = initialResult;
  errorFlag = true;
  FireNull(errorEvent);
}

}  // namespace lobrin
