#include "app/calculator_graph.h"

namespace lobrin::graph {

// A row too many does not compile against the counts in the header, nor (by
// the static_asserts below each table) a row too few.
constexpr ElementRow kElements[kElementCount] = {
    {MainForm, "MainForm", Kind::kMainForm},
    {CalculateButton, "CalculateButton", Kind::kButton},
    {HPlaneBwEdit, "HPlaneBwEdit", Kind::kEdit},
    {FrequencyEdit, "FrequencyEdit", Kind::kEdit},
    {HHalfAngleMath, "HHalfAngleMath", Kind::kMath},
    {HSineMath, "HSineMath", Kind::kMath},
    {CalculateHub, "CalculateHub", Kind::kHub},
    {HDoubleSineMath, "HDoubleSineMath", Kind::kMath},
    {HDistanceMath, "HDistanceMath", Kind::kMath},
    {HWavelengthMath, "HWavelengthMath", Kind::kMath},
    {FrequencyHub, "FrequencyHub", Kind::kHub},
    {ClearButton, "ClearButton", Kind::kButton},
    {ClearHub, "ClearHub", Kind::kHub},
    {HPlaneDegLabel, "HPlaneDegLabel", Kind::kLabel},
    {MhzLabel, "MhzLabel", Kind::kLabel},
    {HMetersLabel, "HMetersLabel", Kind::kLabel},
    {Step1Label, "Step1Label", Kind::kLabel},
    {Step2Label, "Step2Label", Kind::kLabel},
    {Step3Label, "Step3Label", Kind::kLabel},
    {StepsLabel, "StepsLabel", Kind::kLabel},
    {HPlaneBwLabel, "HPlaneBwLabel", Kind::kLabel},
    {FrequencyLabel, "FrequencyLabel", Kind::kLabel},
    {HFeetMath, "HFeetMath", Kind::kMath},
    {ArrayPicture, "ArrayPicture", Kind::kPicture},
    {HMetersEdit, "HMetersEdit", Kind::kEdit},
    {HMetersLabel2, "HMetersLabel2", Kind::kLabel},
    {EMetersEdit, "EMetersEdit", Kind::kEdit},
    {HDistanceHub, "HDistanceHub", Kind::kHub},
    {EMetersLabel, "EMetersLabel", Kind::kLabel},
    {HFeetEdit, "HFeetEdit", Kind::kEdit},
    {HFeetLabel, "HFeetLabel", Kind::kLabel},
    {EFeetEdit, "EFeetEdit", Kind::kEdit},
    {EFeetLabel, "EFeetLabel", Kind::kLabel},
    {HFeetHub, "HFeetHub", Kind::kHub},
    {CreditLabel, "CreditLabel", Kind::kLabel},
    {BeamwidthPicture, "BeamwidthPicture", Kind::kPicture},
    {BeamwidthNoteLabel, "BeamwidthNoteLabel", Kind::kLabel},
    {SourceNoteLabel, "SourceNoteLabel", Kind::kLabel},
    {InfoButton, "InfoButton", Kind::kButton},
    {InfoMessage, "InfoMessage", Kind::kMessage},
    {ReadInfoLabel, "ReadInfoLabel", Kind::kLabel},
    {EPlaneBwEdit, "EPlaneBwEdit", Kind::kEdit},
    {EPlaneDegLabel, "EPlaneDegLabel", Kind::kLabel},
    {EPlaneBwLabel, "EPlaneBwLabel", Kind::kLabel},
    {EHalfAngleMath, "EHalfAngleMath", Kind::kMath},
    {ESineMath, "ESineMath", Kind::kMath},
    {EPlaneHub, "EPlaneHub", Kind::kHub},
    {EDoubleSineMath, "EDoubleSineMath", Kind::kMath},
    {EDistanceMath, "EDistanceMath", Kind::kMath},
    {EWavelengthMath, "EWavelengthMath", Kind::kMath},
    {EFeetMath, "EFeetMath", Kind::kMath},
    {StackingDistanceLabel, "StackingDistanceLabel", Kind::kLabel},
    {PlaneNoteLabel, "PlaneNoteLabel", Kind::kLabel},
};
constexpr bool ElementsInCreationOrder() {
  for (int i = 0; i < kElementCount; ++i) {
    if (kElements[i].id != i + 1) {
      return false;
    }
  }
  return true;
}
static_assert(ElementsInCreationOrder(), "the form makes 53 elements, one row each, in creation order");

namespace {
constexpr double kFeetPerMetre = 3.28084;
}  // namespace

const MathRow kMaths[12] = {
    {HHalfAngleMath, kMathDivide, 2.0, 2.0, kAngleRadians, 0.0},
    {HSineMath, kMathSine, 0.0, 0.0, kAngleDegrees, 0.0},
    {HDoubleSineMath, kMathMultiply, 2.0, 0.0, kAngleRadians, 0.0},
    {HWavelengthMath, kMathDivide, 300.0, 0.0, kAngleRadians, 0.0},
    {HDistanceMath, kMathDivide, 0.0, 0.0, kAngleRadians, 2.0},
    {HFeetMath, kMathMultiply, kFeetPerMetre, 0.0, kAngleRadians, 0.0},
    {EHalfAngleMath, kMathDivide, 2.0, 2.0, kAngleRadians, 0.0},
    {ESineMath, kMathSine, 0.0, 0.0, kAngleDegrees, 0.0},
    {EDoubleSineMath, kMathMultiply, 2.0, 0.0, kAngleRadians, 0.0},
    {EWavelengthMath, kMathDivide, 300.0, 0.0, kAngleRadians, 0.0},
    {EDistanceMath, kMathDivide, 0.0, 0.0, kAngleRadians, 2.0},
    {EFeetMath, kMathMultiply, kFeetPerMetre, 0.0, kAngleRadians, 0.0},
};

const HubRow kHubs[6] = {
    {CalculateHub, 3}, {EPlaneHub, 2}, {FrequencyHub, 2}, {HDistanceHub, 2}, {HFeetHub, 2}, {ClearHub, 7},
};

const ButtonRow kButtons[3] = {
    {CalculateButton, ClickValue::kRealZero},
    {ClearButton, ClickValue::kNull},
    {InfoButton, ClickValue::kNull},
};

namespace {
constexpr Source onClick{Event::onClick, 0};
constexpr Source onChange{Event::onChange, 0};
constexpr Source resultEvent{Event::resultEvent, 0};
constexpr Source firstOperandLink{Event::firstOperandLink, 0};
constexpr Source secondOperandLink{Event::secondOperandLink, 0};
constexpr Source outputs(std::uint8_t index) { return {Event::outputs, index}; }

constexpr Point fanOutPoint = Point::fanOutPoint;
constexpr Point computePoint = Point::computePoint;
constexpr Point resultPoint = Point::resultPoint;
constexpr Point textPoint = Point::textPoint;
constexpr Point setTextPoint = Point::setTextPoint;
constexpr Point setTextSilentPoint = Point::setTextSilentPoint;
constexpr Point showPoint = Point::showPoint;
}  // namespace

// Each row stores one link: into an output event of the source element, or
// into the data link through which the source reads an operand.
constexpr LinkRow kLinks[kLinkCount] = {
    {CalculateButton, onClick, CalculateHub, fanOutPoint, 0},
    {FrequencyEdit, onChange, FrequencyHub, fanOutPoint, 0},
    {HHalfAngleMath, resultEvent, HSineMath, computePoint, 0},
    {HHalfAngleMath, firstOperandLink, HPlaneBwEdit, textPoint, 0},
    {HSineMath, resultEvent, HDoubleSineMath, computePoint, 0},
    {CalculateHub, outputs(0), HHalfAngleMath, computePoint, 0},
    {CalculateHub, outputs(1), HDistanceMath, computePoint, 0},
    {CalculateHub, outputs(2), EPlaneHub, fanOutPoint, 0},
    {HDistanceMath, resultEvent, HDistanceHub, fanOutPoint, 0},
    {HDistanceMath, firstOperandLink, HWavelengthMath, resultPoint, 0},
    {HDistanceMath, secondOperandLink, HDoubleSineMath, resultPoint, 0},
    {FrequencyHub, outputs(0), HWavelengthMath, computePoint, 0},
    {FrequencyHub, outputs(1), EWavelengthMath, computePoint, 0},
    {ClearButton, onClick, ClearHub, fanOutPoint, 0},
    {ClearHub, outputs(0), HPlaneBwEdit, setTextPoint, 0},
    {ClearHub, outputs(1), FrequencyEdit, setTextSilentPoint, 1},
    {ClearHub, outputs(2), HMetersEdit, setTextSilentPoint, 1},
    {ClearHub, outputs(3), HFeetEdit, setTextSilentPoint, 1},
    {ClearHub, outputs(4), EFeetEdit, setTextSilentPoint, 1},
    {ClearHub, outputs(5), EMetersEdit, setTextSilentPoint, 1},
    {ClearHub, outputs(6), EPlaneBwEdit, setTextPoint, 0},
    {HFeetMath, resultEvent, HFeetHub, fanOutPoint, 0},
    {HMetersEdit, onChange, HFeetMath, computePoint, 0},
    {EMetersEdit, onChange, EFeetMath, computePoint, 0},
    {HDistanceHub, outputs(0), HMetersEdit, setTextPoint, 0},
    {HFeetHub, outputs(0), HFeetEdit, setTextPoint, 0},
    {InfoButton, onClick, InfoMessage, showPoint, 0},
    {EHalfAngleMath, resultEvent, ESineMath, computePoint, 0},
    {EHalfAngleMath, firstOperandLink, EPlaneBwEdit, textPoint, 0},
    {ESineMath, resultEvent, EDoubleSineMath, computePoint, 0},
    {EPlaneHub, outputs(0), EHalfAngleMath, computePoint, 0},
    {EPlaneHub, outputs(1), EDistanceMath, computePoint, 0},
    {EDistanceMath, resultEvent, EMetersEdit, setTextPoint, 0},
    {EDistanceMath, firstOperandLink, EWavelengthMath, resultPoint, 0},
    {EDistanceMath, secondOperandLink, EDoubleSineMath, resultPoint, 0},
    {EFeetMath, resultEvent, EFeetEdit, setTextPoint, 0},
};
constexpr bool EveryLinkRowFilled() {
  for (const LinkRow& row : kLinks) {
    if (row.source == 0 || row.target == 0) {
      return false;
    }
  }
  return true;
}
static_assert(EveryLinkRowFilled(), "the form makes 36 links: a row is missing");

const ElementRow& RowOf(Id id) { return kElements[id - 1]; }

void ApplySettings(THIMath& math, const MathRow& row) {
  // Kind, defaults and result mode first, then the initial result and the angle mode.
  math.operationKind = row.operation;
  math.firstDefault = row.firstDefault;
  math.secondDefault = row.secondDefault;
  math.realResult = true;
  math.SetInitialResult(row.initialResult);
  math.SetAngleMode(row.angleMode);
}

TData ClickDataOf(Id button) {
  TData value;
  for (const ButtonRow& row : kButtons) {
    if (row.id == button && row.clickData == ClickValue::kRealZero) {
      SetReal(value, 0.0);
    }
  }
  return value;
}

}  // namespace lobrin::graph
