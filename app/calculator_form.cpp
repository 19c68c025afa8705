#include "app/calculator_form.h"

#include <windows.h>

#include <cassert>

#include "app/version.h"
#include "elements/data.h"
#include "toolkit/focus.h"

namespace lobrin {
namespace {

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

// --- Buttons ------------------------------------------------------------------
struct ButtonRow {
  graph::Id id;
  Bounds bounds;
  const char* caption;
  std::uint8_t fontStyle;
  std::uint32_t fontColour;
  std::uint32_t background;
};

const ButtonRow kButtons[] = {
    {graph::CalculateButton, {180, 60, 65, 45}, "Calculate", kBold, kRed, kBlack},
    {graph::ClearButton, {180, 110, 65, 20}, "Clear", kRegular, kBlack, kButtonFace},
    {graph::InfoButton, {590, 0, 55, 20}, "Info", kRegular, kBlack, kButtonFace},
};

// --- Edits --------------------------------------------------------------------
struct EditRow {
  graph::Id id;
  Bounds bounds;
  std::uint32_t fontColour;
};

// One row a line, as the other tables here (clang-format would set two side by side).
// clang-format off
const EditRow kEdits[] = {
    {graph::HPlaneBwEdit, {100, 60, 40, 20}, kBlack},
    {graph::FrequencyEdit, {100, 110, 40, 20}, kBlack},
    {graph::EPlaneBwEdit, {100, 85, 40, 20}, kBlack},
    {graph::HMetersEdit, {255, 170, 40, 20}, kRed},
    {graph::HFeetEdit, {255, 190, 40, 20}, kBlue},
    {graph::EMetersEdit, {450, 330, 40, 20}, kRed},
    {graph::EFeetEdit, {450, 350, 40, 20}, kBlue},
};
// clang-format on

// --- Labels -------------------------------------------------------------------
struct LabelRow {
  graph::Id id;
  Bounds bounds;
  const char* caption;
  std::uint8_t fontStyle;
  std::uint32_t fontColour;
};

const LabelRow kLabels[] = {
    {graph::StepsLabel, {15, 5, 40, 17}, "Steps:", kBold, kBlue},
    {graph::Step1Label, {65, 5, 238, 17}, "1) Enter -3dB beamwidth(BW) for E- and H-planes", kRegular, kBlue},
    {graph::Step2Label, {65, 20, 127, 17}, "2) Enter frequency in MHz", kRegular, kBlue},
    {graph::Step3Label, {65, 35, 96, 17}, "3) Click \"Calculate\"", kRegular, kBlue},
    {graph::ReadInfoLabel, {350, 5, 231, 17}, "Please read info before use the program", kBold, kRed},
    {graph::StackingDistanceLabel, {425, 30, 108, 17}, "Stacking Distance", kBold, kBlack},
    {graph::HPlaneBwLabel, {5, 65, 93, 17}, "-3 dB BW H-plane:", kRegular, kBlack},
    {graph::HPlaneDegLabel, {145, 65, 22, 17}, "deg", kRegular, kBlack},
    {graph::EPlaneBwLabel, {5, 90, 92, 17}, "-3 dB BW E-plane:", kRegular, kBlack},
    {graph::EPlaneDegLabel, {145, 90, 22, 17}, "deg", kRegular, kBlack},
    {graph::FrequencyLabel, {40, 115, 57, 17}, "Frequency:", kRegular, kBlack},
    {graph::MhzLabel, {145, 115, 26, 17}, "MHz", kRegular, kBlack},
    {graph::BeamwidthNoteLabel,
     {25, 140, 223, 17},
     "-3 dB BW is the angle between points A and B",
     kRegular,
     kBlack},
    {graph::PlaneNoteLabel,
     {35, 340, 203, 17},
     "E-plane for Azimuth, H-plane for Elevation ",
     kRegular,
     kBlack},
    {graph::SourceNoteLabel,
     {35, 355, 214, 17},
     "You can find it in description of your antenna",
     kRegular,
     kBlack},
    {graph::HMetersLabel, {295, 175, 35, 17}, "meters", kRegular, kBlack},
    {graph::HMetersLabel2, {300, 175, 35, 17}, "meters", kRegular, kBlack},
    {graph::HFeetLabel, {300, 195, 10, 17}, "ft", kRegular, kBlack},
    {graph::EMetersLabel, {495, 335, 35, 17}, "meters", kRegular, kBlack},
    {graph::EFeetLabel, {495, 355, 10, 17}, "ft", kRegular, kBlack},
    {graph::CreditLabel, {555, 355, 88, 17}, "Pat, N0CALL 2014", kRegular, kBlack},
};

// --- Pictures -----------------------------------------------------------------
struct PictureRow {
  graph::Id id;
  Bounds bounds;
  const char* bitmapResource;
};

const PictureRow kPictures[] = {
    {graph::ArrayPicture, {245, 45, 395, 320}, "BITMAP0"},
    {graph::BeamwidthPicture, {40, 150, 205, 220}, "BITMAP1"},
};

template <class Row, std::size_t N>
const Row& FindRow(const Row (&rows)[N], graph::Id id) {
  for (const Row& row : rows) {
    if (row.id == id) {
      return row;
    }
  }
  assert(false && "an element without its row");
  return rows[0];
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
Element* TClassMainForm_2157830::AddWindowed(const Bounds& bounds, const Look& look) {
  auto* element = new Element();
  windowed_.push_back(element);
  element->Create(MainForm->control);
  ApplyCommonSettings(*element, bounds, look);
  return element;
}

TClassMainForm_2157830::TClassMainForm_2157830() {
  windowed_.reserve(graph::kElementCount);
  graph_ = std::make_unique<Graph>(*this);
  Finish();
}

TClassMainForm_2157830::~TClassMainForm_2157830() = default;

OwnedElement TClassMainForm_2157830::MakeVisual(const graph::ElementRow& row) {
  switch (row.kind) {
    case graph::Kind::kMainForm: return OwnedElement::Of(MakeMainForm());
    case graph::Kind::kLabel: return OwnedElement::Of(MakeLabel(row.id));
    case graph::Kind::kPicture: return OwnedElement::Of(MakePicture(row.id));
    default: break;
  }
  assert(false && "not a visual element");
  return {};
}

THIMainForm* TClassMainForm_2157830::MakeMainForm() {
  THIMainForm* form = new THIMainForm();
  windowed_.push_back(form);
  MainForm = form;
  form->Create(nullptr);
  ApplyCommonSettings(*form, {0, 0, 654, 407}, {kButtonFace, EdgeStyle::kSingle, kRegular, kBlack});
  form->clientSizing = false;
  form->alphaBlend = 255;
  form->SetCaption("Lobrin v" LOBRIN_VERSION);
  form->SetBorderStyle(1);
  form->windowState = WindowState::kNormal;
  form->SetIcon(LoadIconA(GetModuleHandleA(nullptr), "ICON0"));
  form->SetAppToolWindow(0);
  form->dragByClient = false;
  form->keysToForm = true;
  form->positionKey.clear();
  form->captureMouse = false;
  form->afterInit = TInitProc{&DoNothingAfterInit, nullptr};
  form->Init();
  return form;
}

THIButton* TClassMainForm_2157830::MakeButton(graph::Id id, const TData& clickData) {
  const ButtonRow& row = FindRow(kButtons, id);
  auto* button =
      AddWindowed<THIButton>(row.bounds, {row.background, EdgeStyle::kSingle, row.fontStyle, row.fontColour});
  button->caption = row.caption;
  button->defaultButton = false;
  button->flatStyle = false;
  button->clickData = clickData;
  button->Init();
  return button;
}

THIEdit* TClassMainForm_2157830::MakeEdit(graph::Id id) {
  const EditRow& row = FindRow(kEdits, id);
  auto* edit =
      AddWindowed<THIEdit>(row.bounds, {kWindowBackground, EdgeStyle::kSunken, kRegular, row.fontColour});
  edit->text.clear();
  edit->readOnly = false;
  edit->password = false;
  edit->textAlign = TextAlignment::kLeft;
  edit->textProvider = edit->OwnTextProvider();
  edit->Init();
  return edit;
}

THILabel* TClassMainForm_2157830::MakeLabel(graph::Id id) {
  const LabelRow& row = FindRow(kLabels, id);
  auto* label =
      AddWindowed<THILabel>(row.bounds, {kButtonFace, EdgeStyle::kSingle, row.fontStyle, row.fontColour});
  label->caption = row.caption;
  label->hoverColour = 0;
  label->hoverUnderline = false;
  label->SetAutoSize(true);
  label->SetTextAlign(TextAlignment::kLeft);
  label->Init();
  return label;
}

THIImage* TClassMainForm_2157830::MakePicture(graph::Id id) {
  const PictureRow& row = FindRow(kPictures, id);
  auto* picture = AddWindowed<THIImage>(row.bounds, {kButtonFace, EdgeStyle::kSingle, kRegular, kBlack});
  picture->autoSize = false;
  picture->drawRoutine = picture->FittedDrawRoutine();
  picture->SetBitmapHandle(LoadBitmapA(GetModuleHandleA(nullptr), row.bitmapResource));
  picture->SetSmoothScaling(true);
  picture->captureMouse = false;
  picture->Init();
  return picture;
}

THIMessage* TClassMainForm_2157830::MakeMessage(graph::Id) {
  auto* message = new THIMessage();
  message->defaultText = LoadTextResource("Str1");
  message->defaultCaption.clear();
  message->buttonsKind = MessageButtons::kOk;
  message->iconKind = MessageIcon::kNone;
  message->defaultButtonIndex = MessageDefaultButton::kFirst;
  return message;
}

void TClassMainForm_2157830::Finish() {
  for (THIWin* element : windowed_) {
    element->AttachHint(nullptr);
    element->AttachOwner(nullptr);
  }
  EnableKeyNavigation(MainForm->control);
}

}  // namespace lobrin
