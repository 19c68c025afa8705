#pragma once
// The calculator's calculation chain without windows: its arithmetic elements
// and hubs configured and linked as the calculator form does it, with
// stand-ins in place of the edits and the Calculate button. The Clear button
// (links 14 to 21) and the info box (link 27) are left out: the running
// program is checked for them in tests/app.
//
// Link traffic stays as it is: the caller switches it on after construction,
// as the program's start-up step does.

#include <cstdint>

#include "elements/data.h"
#include "elements/hub.h"
#include "elements/math.h"
#include "tests/support/text_box_stand_in.h"

namespace lobrin::testing {

struct CalculationChain {
  // Edits and buttons (stand-ins).
  TextBoxStandIn HPlaneBwEdit, EPlaneBwEdit, FrequencyEdit;
  TextBoxStandIn HMetersEdit, HFeetEdit, EMetersEdit, EFeetEdit;
  ButtonStandIn CalculateButton;

  // Arithmetic elements.
  THIMath HHalfAngleMath, HSineMath, HDoubleSineMath, HWavelengthMath, HDistanceMath, HFeetMath;
  THIMath EHalfAngleMath, ESineMath, EDoubleSineMath, EWavelengthMath, EDistanceMath, EFeetMath;

  // Hubs.
  THIHub CalculateHub, EPlaneHub, FrequencyHub, HDistanceHub, HFeetHub;

  CalculationChain() {
    ConfigureMath();
    ConfigureHubs();
    CalculateButton.clickData.kind = kDataReal;  // Real 0.0
    MakeLinks();
  }
  CalculationChain(const CalculationChain&) = delete;
  CalculationChain& operator=(const CalculationChain&) = delete;

 private:
  void ConfigureMath() {
    using C = CalculationChain;
    struct Setting {
      THIMath C::*h, C::*e;
      std::uint8_t operation, angleMode;
      double firstDefault, secondDefault, initialResult;
    };
    static const Setting kSettings[] = {  // the same in both planes
        {&C::HHalfAngleMath, &C::EHalfAngleMath, kMathDivide, kAngleRadians, 2.0, 2.0, 0.0},
        {&C::HSineMath, &C::ESineMath, kMathSine, kAngleDegrees, 0.0, 0.0, 0.0},
        {&C::HDoubleSineMath, &C::EDoubleSineMath, kMathMultiply, kAngleRadians, 2.0, 0.0, 0.0},
        {&C::HWavelengthMath, &C::EWavelengthMath, kMathDivide, kAngleRadians, 300.0, 0.0, 0.0},
        {&C::HDistanceMath, &C::EDistanceMath, kMathDivide, kAngleRadians, 0.0, 0.0, 2.0},
        {&C::HFeetMath, &C::EFeetMath, kMathMultiply, kAngleRadians, 3.28084, 0.0, 0.0},
    };
    for (const Setting& s : kSettings) {
      for (THIMath* math : {&(this->*s.h), &(this->*s.e)}) {
        math->operationKind = s.operation;
        math->firstDefault = s.firstDefault;
        math->secondDefault = s.secondDefault;
        math->realResult = true;
        math->SetInitialResult(s.initialResult);
        math->SetAngleMode(s.angleMode);
      }
    }
  }

  void ConfigureHubs() {
    CalculateHub.SetOutputCount(3);
    EPlaneHub.SetOutputCount(2);
    FrequencyHub.SetOutputCount(2);
    HDistanceHub.SetOutputCount(2);
    HFeetHub.SetOutputCount(2);
  }

  void MakeLinks() {
    struct Link { THI_Event* source; THI_Event link; };
    const Link kLinks[] = {
        /*  1 */ {&CalculateButton.onClick, MakeLink<&THIHub::fanOutPoint>(&CalculateHub, 0)},
        /*  2 */ {&FrequencyEdit.onChange, MakeLink<&THIHub::fanOutPoint>(&FrequencyHub, 0)},
        /*  3 */ {&HHalfAngleMath.resultEvent, MakeLink<&THIMath::computePoint>(&HSineMath, 0)},
        /*  4 */ {&HHalfAngleMath.firstOperandLink, MakeLink<&TextBoxStandIn::textPoint>(&HPlaneBwEdit, 0)},
        /*  5 */ {&HSineMath.resultEvent, MakeLink<&THIMath::computePoint>(&HDoubleSineMath, 0)},
        /*  6 */ {&CalculateHub.outputs[0], MakeLink<&THIMath::computePoint>(&HHalfAngleMath, 0)},
        /*  7 */ {&CalculateHub.outputs[1], MakeLink<&THIMath::computePoint>(&HDistanceMath, 0)},
        /*  8 */ {&CalculateHub.outputs[2], MakeLink<&THIHub::fanOutPoint>(&EPlaneHub, 0)},
        /*  9 */ {&HDistanceMath.resultEvent, MakeLink<&THIHub::fanOutPoint>(&HDistanceHub, 0)},
        /* 10 */ {&HDistanceMath.firstOperandLink, MakeLink<&THIMath::resultPoint>(&HWavelengthMath, 0)},
        /* 11 */ {&HDistanceMath.secondOperandLink, MakeLink<&THIMath::resultPoint>(&HDoubleSineMath, 0)},
        /* 12 */ {&FrequencyHub.outputs[0], MakeLink<&THIMath::computePoint>(&HWavelengthMath, 0)},
        /* 13 */ {&FrequencyHub.outputs[1], MakeLink<&THIMath::computePoint>(&EWavelengthMath, 0)},
        /* 22 */ {&HFeetMath.resultEvent, MakeLink<&THIHub::fanOutPoint>(&HFeetHub, 0)},
        /* 23 */ {&HMetersEdit.onChange, MakeLink<&THIMath::computePoint>(&HFeetMath, 0)},
        /* 24 */ {&EMetersEdit.onChange, MakeLink<&THIMath::computePoint>(&EFeetMath, 0)},
        /* 25 */ {&HDistanceHub.outputs[0], MakeLink<&TextBoxStandIn::setTextPoint>(&HMetersEdit, 0)},
        /* 26 */ {&HFeetHub.outputs[0], MakeLink<&TextBoxStandIn::setTextPoint>(&HFeetEdit, 0)},
        /* 14-21: the Clear button; 27: the info box */
        /* 28 */ {&EHalfAngleMath.resultEvent, MakeLink<&THIMath::computePoint>(&ESineMath, 0)},
        /* 29 */ {&EHalfAngleMath.firstOperandLink, MakeLink<&TextBoxStandIn::textPoint>(&EPlaneBwEdit, 0)},
        /* 30 */ {&ESineMath.resultEvent, MakeLink<&THIMath::computePoint>(&EDoubleSineMath, 0)},
        /* 31 */ {&EPlaneHub.outputs[0], MakeLink<&THIMath::computePoint>(&EHalfAngleMath, 0)},
        /* 32 */ {&EPlaneHub.outputs[1], MakeLink<&THIMath::computePoint>(&EDistanceMath, 0)},
        /* 33 */ {&EDistanceMath.resultEvent, MakeLink<&TextBoxStandIn::setTextPoint>(&EMetersEdit, 0)},
        /* 34 */ {&EDistanceMath.firstOperandLink, MakeLink<&THIMath::resultPoint>(&EWavelengthMath, 0)},
        /* 35 */ {&EDistanceMath.secondOperandLink, MakeLink<&THIMath::resultPoint>(&EDoubleSineMath, 0)},
        /* 36 */ {&EFeetMath.resultEvent, MakeLink<&TextBoxStandIn::setTextPoint>(&EFeetEdit, 0)},
    };
    for (const Link& l : kLinks) *l.source = l.link;
  }
};

}  // namespace lobrin::testing
