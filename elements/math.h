#pragma once
// The arithmetic element: one fixed operation on two real operands.
//
// computePoint reads the first, then the second operand (RealFromLink: the
// data link if linked, else a non-zero default, else the incoming value,
// which the first such reader consumes), computes in extended precision,
// stores the result as a double and fires it on resultEvent.
//
// A division by zero, or a result that is not a finite double (overflow),
// takes the error path instead: result := initialResult, errorFlag set,
// errorEvent fired with NULL, resultEvent not fired. So no infinity and no
// NaN ever leaves the element.
//
// An operand that is not a finite number (a text such as 1e999) leaves
// nothing to compute: the error path, and then resultEvent fires NULL, so
// that the elements computing on from this result do not keep one from an
// earlier computation. (In the calculator: an unreadable beamwidth reads as
// an empty one further down its plane's chain, and the plane's boxes stay.)

#include <cstdint>

#include "elements/data.h"

namespace lobrin {

enum MathOperation : std::uint8_t {
  kMathMultiply = 2,
  kMathDivide = 3,
  kMathSine = 13,
};

// The angle mode of the sine's argument.
enum AngleMode : std::uint8_t {
  kAngleRadians = 0,
  kAngleDegrees = 1,
};

class THIMath {
 public:
  // --- Settings and state (written by the form before link traffic is on) ---
  bool errorFlag = false;  // set by the error path, cleared by every good result
  double result = 0.0;     // the kept result; initialResult after an error
  double initialResult = 0.0;
  double angleFactor = 0.0;        // 1.0 in radians, pi/180 in degrees
  std::uint8_t operationKind = 0;  // a MathOperation; other kinds compute nothing
  double firstDefault = 0.0;
  double secondDefault = 0.0;
  bool realResult = false;  // false: results leave rounded, as Integer

  // --- Links (held by value; they own nothing) ---
  THI_Event resultEvent;        // fired with every good result
  THI_Event errorEvent;         // fired with NULL on the error path
  THI_Event firstOperandLink;   // data link for the first operand; may be unlinked
  THI_Event secondOperandLink;  // data link for the second operand; may be unlinked

  // --- Setters ---
  // Sets initialResult and result to `value` and clears errorFlag.
  void SetInitialResult(double value);
  // Mode 0: angleFactor := 1.0; any other mode: pi/180 taken in extended, stored as double.
  void SetAngleMode(std::uint8_t mode);

  // --- Points ---
  // Input point: reads the operands, computes operationKind, fires the result or the error.
  void computePoint(TData& value, std::uint16_t index);
  // Data point: fills `value` with the kept result, or NULL after an error.
  void resultPoint(TData& value, std::uint16_t index);

 private:
  // Stores a good result and fires it, or takes the error path for a non-finite one.
  void Deliver(long double exact);
  void TakeErrorPath();
  // The error path for an operand that is not finite, then NULL on resultEvent.
  void RefuseOperand();
};

}  // namespace lobrin
