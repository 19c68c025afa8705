#include "app/calculator_form.h"

#include <windows.h>

#include <cstring>
#include <iterator>
#include <type_traits>

#include "elements/data.h"
#include "toolkit/focus.h"

namespace lobrin {
namespace {

using Form = TClassMainForm_2157830;

// Colour values as the toolkit stores them (red in the low byte).
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kButtonFace = 0xFF00000F;
constexpr std::uint32_t kWindowBackground = 0xFF000005;

constexpr std::uint8_t kRegular = 0;
constexpr std::uint8_t kBold = kFontBold;

constexpr const char* kFontName = "MS Sans Serif";
constexpr std::uint8_t kFontSize = 8;
constexpr std::uint8_t kDefaultCharset = 1;

using Bounds = TClassMainForm_2157830::Bounds;
using Look = TClassMainForm_2157830::Look;

// The element table: number (creation order), name and kind.
enum class Kind { kMainForm, kButton, kEdit, kLabel, kPicture, kMath, kHub, kMessage };

struct ElementRow {
  int number;
  const char* name;
  Kind kind;
};

constexpr ElementRow kElements[] = {
    {1, "MainForm", Kind::kMainForm},        {2, "CalculateButton", Kind::kButton},
    {3, "HPlaneBwEdit", Kind::kEdit},        {4, "FrequencyEdit", Kind::kEdit},
    {5, "HHalfAngleMath", Kind::kMath},      {6, "HSineMath", Kind::kMath},
    {7, "CalculateHub", Kind::kHub},         {8, "HDoubleSineMath", Kind::kMath},
    {9, "HDistanceMath", Kind::kMath},       {10, "HWavelengthMath", Kind::kMath},
    {11, "FrequencyHub", Kind::kHub},        {12, "ClearButton", Kind::kButton},
    {13, "ClearHub", Kind::kHub},            {14, "HPlaneDegLabel", Kind::kLabel},
    {15, "MhzLabel", Kind::kLabel},          {16, "HMetersLabel", Kind::kLabel},
    {17, "Step1Label", Kind::kLabel},        {18, "Step2Label", Kind::kLabel},
    {19, "Step3Label", Kind::kLabel},        {20, "StepsLabel", Kind::kLabel},
    {21, "HPlaneBwLabel", Kind::kLabel},     {22, "FrequencyLabel", Kind::kLabel},
    {23, "HFeetMath", Kind::kMath},          {24, "ArrayPicture", Kind::kPicture},
    {25, "HMetersEdit", Kind::kEdit},        {26, "HMetersLabel2", Kind::kLabel},
    {27, "EMetersEdit", Kind::kEdit},        {28, "HDistanceHub", Kind::kHub},
    {29, "EMetersLabel", Kind::kLabel},      {30, "HFeetEdit", Kind::kEdit},
    {31, "HFeetLabel", Kind::kLabel},        {32, "EFeetEdit", Kind::kEdit},
    {33, "EFeetLabel", Kind::kLabel},        {34, "HFeetHub", Kind::kHub},
    {35, "CreditLabel", Kind::kLabel},       {36, "BeamwidthPicture", Kind::kPicture},
    {37, "BeamwidthNoteLabel", Kind::kLabel}, {38, "SourceNoteLabel", Kind::kLabel},
    {39, "InfoButton", Kind::kButton},       {40, "InfoMessage", Kind::kMessage},
    {41, "ReadInfoLabel", Kind::kLabel},     {42, "EPlaneBwEdit", Kind::kEdit},
    {43, "EPlaneDegLabel", Kind::kLabel},    {44, "EPlaneBwLabel", Kind::kLabel},
    {45, "EHalfAngleMath", Kind::kMath},     {46, "ESineMath", Kind::kMath},
    {47, "EPlaneHub", Kind::kHub},           {48, "EDoubleSineMath", Kind::kMath},
    {49, "EDistanceMath", Kind::kMath},      {50, "EWavelengthMath", Kind::kMath},
    {51, "EFeetMath", Kind::kMath},          {52, "StackingDistanceLabel", Kind::kLabel},
    {53, "PlaneNoteLabel", Kind::kLabel},
};
constexpr int kElementCount = sizeof kElements / sizeof kElements[0];

// --- Buttons ------------------------------------------------------------------
enum class ClickValue { kNull, kRealZero };

struct ButtonRow {
  int number;
  THIButton* Form::*slot;
  Bounds bounds;
  const char* caption;
  std::uint8_t fontStyle;
  std::uint32_t fontColour;
  std::uint32_t background;
  ClickValue clickData;
};

const ButtonRow kButtons[] = {
    {2, &Form::CalculateButton, {180, 60, 65, 45}, "Calculate", kBold, kRed, kBlack, ClickValue::kRealZero},
    {12, &Form::ClearButton, {180, 110, 65, 20}, "Clear", kRegular, kBlack, kButtonFace, ClickValue::kNull},
    {39, &Form::InfoButton, {590, 0, 55, 20}, "Info", kRegular, kBlack, kButtonFace, ClickValue::kNull},
};

// --- Edits --------------------------------------------------------------------
struct EditRow {
  int number;
  THIEdit* Form::*slot;
  Bounds bounds;
  std::uint32_t fontColour;
};

const EditRow kEdits[] = {
    {3, &Form::HPlaneBwEdit, {100, 60, 40, 20}, kBlack},
    {4, &Form::FrequencyEdit, {100, 110, 40, 20}, kBlack},
    {42, &Form::EPlaneBwEdit, {100, 85, 40, 20}, kBlack},
    {25, &Form::HMetersEdit, {255, 170, 40, 20}, kRed},
    {30, &Form::HFeetEdit, {255, 190, 40, 20}, kBlue},
    {27, &Form::EMetersEdit, {450, 330, 40, 20}, kRed},
    {32, &Form::EFeetEdit, {450, 350, 40, 20}, kBlue},
};

// --- Labels -------------------------------------------------------------------
struct LabelRow {
  int number;
  THILabel* Form::*slot;
  Bounds bounds;
  const char* caption;
  std::uint8_t fontStyle;
  std::uint32_t fontColour;
};

const LabelRow kLabels[] = {
    {20, &Form::StepsLabel, {15, 5, 40, 17}, "Steps:", kBold, kBlue},
    {17, &Form::Step1Label, {65, 5, 238, 17}, "1) Enter -3dB beamwidth(BW) for E- and H-planes", kRegular, kBlue},
    {18, &Form::Step2Label, {65, 20, 127, 17}, "2) Enter frequency in MHz", kRegular, kBlue},
    {19, &Form::Step3Label, {65, 35, 96, 17}, "3) Click \"Calculate\"", kRegular, kBlue},
    {41, &Form::ReadInfoLabel, {350, 5, 231, 17}, "Please read info before use the program", kBold, kRed},
    {52, &Form::StackingDistanceLabel, {425, 30, 108, 17}, "Stacking Distance", kBold, kBlack},
    {21, &Form::HPlaneBwLabel, {5, 65, 93, 17}, "-3 dB BW H-plane:", kRegular, kBlack},
    {14, &Form::HPlaneDegLabel, {145, 65, 22, 17}, "deg", kRegular, kBlack},
    {44, &Form::EPlaneBwLabel, {5, 90, 92, 17}, "-3 dB BW E-plane:", kRegular, kBlack},
    {43, &Form::EPlaneDegLabel, {145, 90, 22, 17}, "deg", kRegular, kBlack},
    {22, &Form::FrequencyLabel, {40, 115, 57, 17}, "Frequency:", kRegular, kBlack},
    {15, &Form::MhzLabel, {145, 115, 26, 17}, "MHz", kRegular, kBlack},
    {37, &Form::BeamwidthNoteLabel, {25, 140, 223, 17}, "-3 dB BW is the angle between points A and B", kRegular, kBlack},
    {53, &Form::PlaneNoteLabel, {35, 340, 203, 17}, "E-plane for Azimuth, H-plane for Elevation ", kRegular, kBlack},
    {38, &Form::SourceNoteLabel, {35, 355, 214, 17}, "You can find it in description of your antenna", kRegular, kBlack},
    {16, &Form::HMetersLabel, {295, 175, 35, 17}, "meters", kRegular, kBlack},
    {26, &Form::HMetersLabel2, {300, 175, 35, 17}, "meters", kRegular, kBlack},
    {31, &Form::HFeetLabel, {300, 195, 10, 17}, "ft", kRegular, kBlack},
    {29, &Form::EMetersLabel, {495, 335, 35, 17}, "meters", kRegular, kBlack},
    {33, &Form::EFeetLabel, {495, 355, 10, 17}, "ft", kRegular, kBlack},
    {35, &Form::CreditLabel, {555, 355, 88, 17}, "Pat, N0CALL 2014", kRegular, kBlack},
};

// --- Pictures -----------------------------------------------------------------
struct PictureRow {
  int number;
  THIImage* Form::*slot;
  Bounds bounds;
  const char* bitmapResource;
};

const PictureRow kPictures[] = {
    {24, &Form::ArrayPicture, {245, 45, 395, 320}, "BITMAP0"},
    {36, &Form::BeamwidthPicture, {40, 150, 205, 220}, "BITMAP1"},
};

// --- Arithmetic elements ------------------------------------------------------
struct MathRow {
  int number;
  THIMath* Form::*slot;
  std::uint8_t operation;
  double firstDefault;
  double secondDefault;
  std::uint8_t angleMode;
  double initialResult;
};

constexpr double kFeetPerMetre = 3.28084;

const MathRow kMaths[] = {
    {5, &Form::HHalfAngleMath, kMathDivide, 2.0, 2.0, kAngleRadians, 0.0},
    {6, &Form::HSineMath, kMathSine, 0.0, 0.0, kAngleDegrees, 0.0},
    {8, &Form::HDoubleSineMath, kMathMultiply, 2.0, 0.0, kAngleRadians, 0.0},
    {10, &Form::HWavelengthMath, kMathDivide, 300.0, 0.0, kAngleRadians, 0.0},
    {9, &Form::HDistanceMath, kMathDivide, 0.0, 0.0, kAngleRadians, 2.0},
    {23, &Form::HFeetMath, kMathMultiply, kFeetPerMetre, 0.0, kAngleRadians, 0.0},
    {45, &Form::EHalfAngleMath, kMathDivide, 2.0, 2.0, kAngleRadians, 0.0},
    {46, &Form::ESineMath, kMathSine, 0.0, 0.0, kAngleDegrees, 0.0},
    {48, &Form::EDoubleSineMath, kMathMultiply, 2.0, 0.0, kAngleRadians, 0.0},
    {50, &Form::EWavelengthMath, kMathDivide, 300.0, 0.0, kAngleRadians, 0.0},
    {49, &Form::EDistanceMath, kMathDivide, 0.0, 0.0, kAngleRadians, 2.0},
    {51, &Form::EFeetMath, kMathMultiply, kFeetPerMetre, 0.0, kAngleRadians, 0.0},
};

// --- Hubs ---------------------------------------------------------------------
struct HubRow {
  int number;
  THIHub* Form::*slot;
  std::uint16_t outputs;
};

const HubRow kHubs[] = {
    {7, &Form::CalculateHub, 3},  {47, &Form::EPlaneHub, 2}, {11, &Form::FrequencyHub, 2},
    {28, &Form::HDistanceHub, 2}, {34, &Form::HFeetHub, 2},  {13, &Form::ClearHub, 7},
};

// --- Links --------------------------------------------------------------------
// Each row stores one link: into an output event of the source element, or
// into the data link through which the source reads an operand.
using LinkRow = void (*)(Form& form);

#define LOBRIN_LINK(source, event, target, point, index) \
  [](Form& f) { f.source->event = MakeLink<&point>(f.target, index); }

const LinkRow kLinks[] = {
    LOBRIN_LINK(CalculateButton, onClick, CalculateHub, THIHub::fanOutPoint, 0),
    LOBRIN_LINK(FrequencyEdit, onChange, FrequencyHub, THIHub::fanOutPoint, 0),
    LOBRIN_LINK(HHalfAngleMath, resultEvent, HSineMath, THIMath::computePoint, 0),
    LOBRIN_LINK(HHalfAngleMath, firstOperandLink, HPlaneBwEdit, THIEdit::textPoint, 0),
    LOBRIN_LINK(HSineMath, resultEvent, HDoubleSineMath, THIMath::computePoint, 0),
    LOBRIN_LINK(CalculateHub, outputs[0], HHalfAngleMath, THIMath::computePoint, 0),
    LOBRIN_LINK(CalculateHub, outputs[1], HDistanceMath, THIMath::computePoint, 0),
    LOBRIN_LINK(CalculateHub, outputs[2], EPlaneHub, THIHub::fanOutPoint, 0),
    LOBRIN_LINK(HDistanceMath, resultEvent, HDistanceHub, THIHub::fanOutPoint, 0),
    LOBRIN_LINK(HDistanceMath, firstOperandLink, HWavelengthMath, THIMath::resultPoint, 0),
    LOBRIN_LINK(HDistanceMath, secondOperandLink, HDoubleSineMath, THIMath::resultPoint, 0),
    LOBRIN_LINK(FrequencyHub, outputs[0], HWavelengthMath, THIMath::computePoint, 0),
    LOBRIN_LINK(FrequencyHub, outputs[1], EWavelengthMath, THIMath::computePoint, 0),
    LOBRIN_LINK(ClearButton, onClick, ClearHub, THIHub::fanOutPoint, 0),
    LOBRIN_LINK(ClearHub, outputs[0], HPlaneBwEdit, THIEdit::setTextPoint, 0),
    LOBRIN_LINK(ClearHub, outputs[1], FrequencyEdit, THIEdit::setTextSilentPoint, 1),
    LOBRIN_LINK(ClearHub, outputs[2], HMetersEdit, THIEdit::setTextSilentPoint, 1),
    LOBRIN_LINK(ClearHub, outputs[3], HFeetEdit, THIEdit::setTextSilentPoint, 1),
    LOBRIN_LINK(ClearHub, outputs[4], EFeetEdit, THIEdit::setTextSilentPoint, 1),
    LOBRIN_LINK(ClearHub, outputs[5], EMetersEdit, THIEdit::setTextSilentPoint, 1),
    LOBRIN_LINK(ClearHub, outputs[6], EPlaneBwEdit, THIEdit::setTextPoint, 0),
    LOBRIN_LINK(HFeetMath, resultEvent, HFeetHub, THIHub::fanOutPoint, 0),
    LOBRIN_LINK(HMetersEdit, onChange, HFeetMath, THIMath::computePoint, 0),
    LOBRIN_LINK(EMetersEdit, onChange, EFeetMath, THIMath::computePoint, 0),
    LOBRIN_LINK(HDistanceHub, outputs[0], HMetersEdit, THIEdit::setTextPoint, 0),
    LOBRIN_LINK(HFeetHub, outputs[0], HFeetEdit, THIEdit::setTextPoint, 0),
    LOBRIN_LINK(InfoButton, onClick, InfoMessage, THIMessage::showPoint, 0),
    LOBRIN_LINK(EHalfAngleMath, resultEvent, ESineMath, THIMath::computePoint, 0),
    LOBRIN_LINK(EHalfAngleMath, firstOperandLink, EPlaneBwEdit, THIEdit::textPoint, 0),
    LOBRIN_LINK(ESineMath, resultEvent, EDoubleSineMath, THIMath::computePoint, 0),
    LOBRIN_LINK(EPlaneHub, outputs[0], EHalfAngleMath, THIMath::computePoint, 0),
    LOBRIN_LINK(EPlaneHub, outputs[1], EDistanceMath, THIMath::computePoint, 0),
    LOBRIN_LINK(EDistanceMath, resultEvent, EMetersEdit, THIEdit::setTextPoint, 0),
    LOBRIN_LINK(EDistanceMath, firstOperandLink, EWavelengthMath, THIMath::resultPoint, 0),
    LOBRIN_LINK(EDistanceMath, secondOperandLink, EDoubleSineMath, THIMath::resultPoint, 0),
    LOBRIN_LINK(EFeetMath, resultEvent, EFeetEdit, THIEdit::setTextPoint, 0),
};

#undef LOBRIN_LINK

constexpr int kLinkCount = sizeof kLinks / sizeof kLinks[0];

template <class Row, std::size_t N>
const Row* FindRow(const Row (&rows)[N], int number) {
  for (const Row& row : rows) {
    if (row.number == number) return &row;
  }
  return nullptr;
}

// The settings every windowed element shares, with its bounds and look.
void ApplyCommonSettings(THIWin& element, const Bounds& bounds, const Look& look) {
  element.left = bounds.left;
  element.top = bounds.top;
  element.width = bounds.width;
  element.height = bounds.height;
  element.align = DockingSide::kNone;
  element.tabOrder = 0;
  element.visible = true;
  element.enabled = true;
  element.cursor = nullptr;
  element.parentFont = false;
  element.hint.clear();
  element.transparent = false;
  element.colour = look.background;
  element.edgeStyle = look.edgeStyle;
  element.font.name = kFontName;
  element.font.size = kFontSize;
  element.font.style = look.fontStyle;
  element.font.colour = look.fontColour;
  element.font.charset = kDefaultCharset;
  element.companionParams[0] = 4;
  element.companionParams[1] = kButtonFace;
  element.companionParams[2] = 0;
  element.companionParams[3] = 0;
}

void DoNothingAfterInit(void*) {}

}  // namespace

template <class Element>
Element* TClassMainForm_2157830::Adopt(Element* element) {
  elements_.push_back({element, [](void* e) { delete static_cast<Element*>(e); }});
  if constexpr (std::is_base_of_v<THIWin, Element>) windowed_.push_back(element);
  return element;
}

template <class Element>
Element* TClassMainForm_2157830::AddWindowed(Element* TClassMainForm_2157830::*slot, const Bounds& bounds,
                                             const Look& look) {
  Element* element = Adopt(new Element());
  this->*slot = element;
  element->Create(MainForm->control);
  ApplyCommonSettings(*element, bounds, look);
  return element;
}

TClassMainForm_2157830::TClassMainForm_2157830() {
  elements_.reserve(kElementCount);
  for (const ElementRow& row : kElements) CreateElement(row.number);
  MakeLinks();
  Finish();
}

TClassMainForm_2157830::~TClassMainForm_2157830() {
  for (auto it = elements_.rbegin(); it != elements_.rend(); ++it) it->destroy(it->element);
}

int TClassMainForm_2157830::ElementCount() { return kElementCount; }
int TClassMainForm_2157830::LinkCount() { return kLinkCount; }

void TClassMainForm_2157830::CreateElement(int number) {
  switch (kElements[number - 1].kind) {
    case Kind::kMainForm: MakeMainForm(); break;
    case Kind::kButton: MakeButton(number); break;
    case Kind::kEdit: MakeEdit(number); break;
    case Kind::kLabel: MakeLabel(number); break;
    case Kind::kPicture: MakePicture(number); break;
    case Kind::kMath: MakeMath(number); break;
    case Kind::kHub: MakeHub(number); break;
    case Kind::kMessage: MakeInfoMessage(); break;
  }
}

void TClassMainForm_2157830::MakeMainForm() {
  THIMainForm* form = Adopt(new THIMainForm());
  MainForm = form;
  form->Create(nullptr);
  ApplyCommonSettings(*form, {0, 0, 654, 407}, {kButtonFace, EdgeStyle::kSingle, kRegular, kBlack});
  form->clientSizing = false;
  form->alphaBlend = 255;
  form->SetCaption("Lobrin v1.05");
  form->SetBorderStyle(1);
  form->windowState = 0;
  form->SetIcon(LoadIconA(GetModuleHandleA(nullptr), "ICON0"));
  form->SetAppToolWindow(0);
  form->dragByClient = false;
  form->keysToForm = true;
  form->positionKey.clear();
  form->captureMouse = false;
  form->afterInit = TInitProc{&DoNothingAfterInit, nullptr};
  form->Init();
}

void TClassMainForm_2157830::MakeButton(int number) {
  const ButtonRow& row = *FindRow(kButtons, number);
  THIButton* button =
      AddWindowed(row.slot, row.bounds, {row.background, EdgeStyle::kSingle, row.fontStyle, row.fontColour});
  button->caption = row.caption;
  button->defaultButton = false;
  button->flatStyle = false;
  if (row.clickData == ClickValue::kRealZero) {
    SetReal(button->clickData, 0.0);
  } else {
    SetNull(button->clickData);
  }
  button->Init();
}

void TClassMainForm_2157830::MakeEdit(int number) {
  const EditRow& row = *FindRow(kEdits, number);
  THIEdit* edit = AddWindowed(row.slot, row.bounds, {kWindowBackground, EdgeStyle::kSunken, kRegular, row.fontColour});
  edit->text.clear();
  edit->readOnly = false;
  edit->password = false;
  edit->textAlign = TextAlignment::kLeft;
  edit->textProvider = edit->OwnTextProvider();
  edit->Init();
}

void TClassMainForm_2157830::MakeLabel(int number) {
  const LabelRow& row = *FindRow(kLabels, number);
  THILabel* label = AddWindowed(row.slot, row.bounds, {kButtonFace, EdgeStyle::kSingle, row.fontStyle, row.fontColour});
  label->caption = row.caption;
  label->hoverColour = 0;
  label->hoverUnderline = false;
  label->SetAutoSize(true);
  label->SetTextAlign(TextAlignment::kLeft);
  label->Init();
}

void TClassMainForm_2157830::MakePicture(int number) {
  const PictureRow& row = *FindRow(kPictures, number);
  THIImage* picture = AddWindowed(row.slot, row.bounds, {kButtonFace, EdgeStyle::kSingle, kRegular, kBlack});
  picture->autoSize = false;
  picture->drawRoutine = picture->FittedDrawRoutine();
  picture->SetBitmapHandle(LoadBitmapA(GetModuleHandleA(nullptr), row.bitmapResource));
  picture->SetSmoothScaling(true);
  picture->captureMouse = false;
  picture->Init();
}

void TClassMainForm_2157830::MakeMath(int number) {
  const MathRow& row = *FindRow(kMaths, number);
  THIMath* math = Adopt(new THIMath());
  this->*row.slot = math;
  math->operationKind = row.operation;
  math->firstDefault = row.firstDefault;
  math->secondDefault = row.secondDefault;
  math->realResult = true;
  math->SetInitialResult(row.initialResult);
  math->SetAngleMode(row.angleMode);
}

void TClassMainForm_2157830::MakeHub(int number) {
  const HubRow& row = *FindRow(kHubs, number);
  THIHub* hub = Adopt(new THIHub());
  this->*row.slot = hub;
  hub->SetOutputCount(row.outputs);
}

void TClassMainForm_2157830::MakeInfoMessage() {
  THIMessage* message = Adopt(new THIMessage());
  InfoMessage = message;
  message->defaultText = LoadTextResource("Str1");
  message->defaultCaption.clear();
  message->buttonsKind = MessageButtons::kOk;
  message->iconKind = MessageIcon::kNone;
  message->defaultButtonIndex = MessageDefaultButton::kFirst;
}

void TClassMainForm_2157830::MakeLinks() {
  for (LinkRow make : kLinks) make(*this);
}

void TClassMainForm_2157830::Finish() {
  for (THIWin* element : windowed_) {
    element->AttachHint(nullptr);
    element->AttachOwner(nullptr);
  }
  EnableKeyNavigation(MainForm->control);
}

}  // namespace lobrin
