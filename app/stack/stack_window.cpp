#include "app/stack/stack_window.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "app/stack/chart_painter.h"
#include "chart/chart_layout.h"
#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/control_paint.h"
#include "toolkit/focus.h"

namespace lobrin::stackwin {

namespace {

constexpr char kTitle[] = "Lobrin Stack";
constexpr char kFontFace[] = "Tahoma";
constexpr int kFontHeight = 13;
constexpr int kGainFontHeight = 30;
constexpr int kReasonFontHeight = 15;
constexpr std::uint32_t kReasonColour = 0x000000B0;  // dark red, as an RGB colour value (0x00BBGGRR)
constexpr COLORREF kCueColour = RGB(0x80, 0x80, 0x80);
// The chart's sweep and cuts take longer than the figures: they are computed
// once the typing has paused this long, so that each key is answered at once.
constexpr UINT kChartDelayMs = 40;
constexpr UINT_PTR kChartTimerId = 1;

// The left column, in 96-DPI pixels.
constexpr int kMargin = 12;
constexpr int kLabelLeft = 12;
constexpr int kLabelWidth = 154;
constexpr int kBoxLeft = 166;
constexpr int kBoxWidth = 132;
constexpr int kUnitLeft = 302;
constexpr int kUnitWidth = 32;
constexpr int kButtonLeft = 336;
constexpr int kButtonWidth = 56;
constexpr int kColumnRight = 434;
constexpr int kInputTop = 10;
constexpr int kInputPitch = 28;
constexpr int kBoxHeight = 22;
constexpr int kLabelHeight = 18;
constexpr int kLabelDrop = 3;  // a label's top below its box's, so that their texts line up
constexpr int kResultTop = 242;
constexpr int kResultPitch = 20;
constexpr int kValueWidth = 132;
constexpr int kSecondValueLeft = 302;
constexpr int kGainCaptionTop = 404;
constexpr int kGainTop = 422;
constexpr int kGainHeight = 42;
constexpr int kReasonTop = 468;
constexpr int kReasonHeight = 54;
constexpr int kCopyTop = 528;
constexpr int kCopyWidth = 90;
constexpr int kCopyHeight = 26;
// The chart: right of the column, over the model's line.
constexpr int kChartLeft = 448;
constexpr int kModelLineHeight = 18;
constexpr int kModelLineGap = 6;
// The client area at the start and at its smallest.
constexpr int kStartWidth = 960;
constexpr int kStartHeight = 600;
constexpr int kMinWidth = 840;
constexpr int kMinHeight = 590;

// The input rows, in tab order; the caption's "&" marks its Alt letter.
struct InputRow {
  Input input;
  const char* caption;
  const char* unit;
  int distancePlane;  // the plane whose DL6WU button follows the box; -1: none
};
constexpr InputRow kInputRows[kInputCount] = {
    {Input::kBeamwidthH, "&H-plane beamwidth", "deg", -1},
    {Input::kBeamwidthE, "&E-plane beamwidth", "deg", -1},
    {Input::kFrequency, "&Frequency", "MHz", -1},
    {Input::kBaysH, "&Antennas in H-plane", "", -1},
    {Input::kBaysE, "A&ntennas in E-plane", "", -1},
    {Input::kSpacingH, "&Spacing in H-plane", "m", static_cast<int>(kPlaneH)},
    {Input::kSpacingE, "S&pacing in E-plane", "m", static_cast<int>(kPlaneE)},
    {Input::kSidelobes, "Side&lobe level", "dB", -1},
};

// The result rows: their caption and the text of each plane they show.
struct ResultRow {
  const char* caption;
  std::string PlaneTexts::*text;
};
constexpr ResultRow kResultRows[] = {
    {"DL6WU distance, m", &PlaneTexts::dl6wuMetres},
    {"DL6WU distance, lambda", &PlaneTexts::dl6wuLambda},
    {"Spacing used, lambda", &PlaneTexts::spacingLambda},
    {"Gain of the line, dB", &PlaneTexts::lineGainDb},
    {"Stack beamwidth, deg", &PlaneTexts::beamwidthDeg},
    {"Strongest lobe, dB", &PlaneTexts::lobeDb},
    {"Strongest lobe at, deg", &PlaneTexts::lobeDeg},
};
static_assert(std::size(kResultRows) == kResultRowCount);

constexpr const char* kPlaneCaptions[2] = {"H-plane", "E-plane"};

// The one window of the process, for the hooks that have no data pointer.
StackWindow* TheWindow = nullptr;

char MnemonicOf(const char* caption) {
  const char* mark = std::strchr(caption, '&');
  return mark != nullptr && mark[1] != '\0'
             ? static_cast<char>(std::tolower(static_cast<unsigned char>(mark[1])))
             : '\0';
}

}  // namespace

StackWindow::StackWindow() {
  TheWindow = this;
  const HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  app_ = MakeAppWindow(kTitle);
  form_ = MakeForm(app_, kTitle);
  form_->font->SetFontName(kFontFace);
  form_->font->SetFontHeight(-Scale(kFontHeight));
  SetClientWidth(form_, Scale(kStartWidth));
  SetClientHeight(form_, Scale(kStartHeight));
  SetControlPosition(form_, Scale(20), Scale(20));
  form_->onMessage = BindEvent<&StackWindow::FormMessage>(this);
  form_->onResize = BindEvent<&StackWindow::Resized>(this);

  MakeInputs();
  MakeResults();
  TControl* copy = MakeButton(form_, "&Copy");
  Place(copy, kLabelLeft, kCopyTop, kCopyWidth, kCopyHeight);
  copy->onClick = BindEvent<&StackWindow::CopyClicked>(this);
  mnemonics_['c'] = copy;

  chart_ = MakePaintBox(form_);
  AttachPaintEvent(chart_, BindEvent<&StackWindow::PaintChartBox>(this));
  modelLine_ = MakeLabel(form_, kModelLine);
  PlaceChart();

  Application().preDispatchHook = &StackWindow::KeyHook;
  EnableKeyNavigation(form_);
  Recompute();
  SetControlVisible(form_, true);
}

int StackWindow::Scale(int v) const { return MulDiv(v, dpi_, 96); }

void StackWindow::Place(TControl* control, int left, int top, int width, int height) const {
  SetControlPosition(control, Scale(left), Scale(top));
  SetControlSize(control, Scale(width), Scale(height));
}

TControl* StackWindow::AddLabel(const std::string& caption, int left, int top, int width, int height) {
  TControl* label = MakeLabel(form_, caption);
  Place(label, left, top, width, height);
  return label;
}

void StackWindow::MakeInputs() {
  const InputTexts example = WorkedExample();
  for (std::size_t row = 0; row < kInputCount; ++row) {
    const InputRow& input = kInputRows[row];
    const int top = kInputTop + static_cast<int>(row) * kInputPitch;
    TControl* label = AddLabel(input.caption, kLabelLeft, top + kLabelDrop, kLabelWidth, kLabelHeight);
    label->style &= ~static_cast<DWORD>(SS_NOPREFIX);  // the "&" underlines the Alt letter
    TControl* box = MakeEdit(form_, 1u << kEditNoVerticalScroll);
    Place(box, kBoxLeft, top, kBoxWidth, kBoxHeight);
    SetControlColour(box, kColourWindow);
    box->caption = example[static_cast<std::size_t>(input.input)];
    box->onChange = BindEvent<&StackWindow::InputChanged>(this);
    inputs_[static_cast<std::size_t>(input.input)] = box;
    mnemonics_[static_cast<unsigned char>(MnemonicOf(input.caption))] = box;
    if (input.unit[0] != '\0') {
      AddLabel(input.unit, kUnitLeft, top + kLabelDrop, kUnitWidth, kLabelHeight);
    }
    if (input.distancePlane >= 0) {
      AttachHandler(box, &StackWindow::SpacingCuePaint, false);
      TControl* button = MakeButton(form_, "DL6WU");
      Place(button, kButtonLeft, top, kButtonWidth, kBoxHeight);
      button->onClick = BindEvent<&StackWindow::DistanceClicked>(this);
      distanceButtons_[static_cast<std::size_t>(input.distancePlane)] = button;
    }
  }
}

void StackWindow::MakeResults() {
  const int valueLefts[2] = {kBoxLeft, kSecondValueLeft};
  for (std::size_t plane : {kPlaneH, kPlaneE}) {
    TControl* heading =
        AddLabel(kPlaneCaptions[plane], valueLefts[plane], kResultTop, kValueWidth, kLabelHeight);
    SetTextAlignment(heading, TextAlignment::kRight);
  }
  for (std::size_t row = 0; row < std::size(kResultRows); ++row) {
    const int top = kResultTop + static_cast<int>(row + 1) * kResultPitch;
    AddLabel(kResultRows[row].caption, kLabelLeft, top, kLabelWidth, kLabelHeight);
    for (std::size_t plane : {kPlaneH, kPlaneE}) {
      TControl* value = AddLabel(std::string(), valueLefts[plane], top, kValueWidth, kLabelHeight);
      SetTextAlignment(value, TextAlignment::kRight);
      results_[plane].values[row] = value;
    }
  }
  AddLabel("Stacking gain over one antenna", kLabelLeft, kGainCaptionTop, kColumnRight - kLabelLeft,
           kLabelHeight);
  stackGain_ = AddLabel(std::string(), kLabelLeft, kGainTop, kColumnRight - kLabelLeft, kGainHeight);
  stackGain_->font->SetFontHeight(-Scale(kGainFontHeight));
  stackGain_->font->SetFontStyle(kFontBold);
  reason_ = AddLabel(std::string(), kLabelLeft, kReasonTop, kColumnRight - kLabelLeft, kReasonHeight);
  reason_->style &= ~static_cast<DWORD>(SS_LEFTNOWORDWRAP);  // a long reason wraps in its box
  reason_->textColour = kReasonColour;
}

void StackWindow::PlaceChart() {
  RECT client = {0, 0, Scale(kStartWidth), Scale(kStartHeight)};
  if (form_->handle != nullptr) {
    GetClientRect(form_->handle, &client);
  }
  const int lineTop = client.bottom - Scale(kMargin + kModelLineHeight);
  SetControlPosition(modelLine_, Scale(kMargin), lineTop);
  SetControlSize(modelLine_, client.right - Scale(2 * kMargin), Scale(kModelLineHeight));
  const int chartLeft = Scale(kChartLeft);
  SetControlPosition(chart_, chartLeft, Scale(kInputTop));
  SetControlSize(chart_, client.right - Scale(kMargin) - chartLeft,
                 lineTop - Scale(kModelLineGap + kInputTop));
}

InputTexts StackWindow::ReadInputs() {
  InputTexts texts;
  for (std::size_t i = 0; i < kInputCount; ++i) {
    ReadControlText(inputs_[i], texts[i]);
  }
  return texts;
}

void StackWindow::ShowText(TControl* control, const std::string& text) {
  if (GetControlText(control) != text) {
    SetControlText(control, text);
  }
}

void StackWindow::Recompute() {
  const std::array<std::string, 2> cues = sheet_.spacingCue;
  computer_.Compute(ReadInputs(), sheet_);
  for (std::size_t plane : {kPlaneH, kPlaneE}) {
    for (std::size_t row = 0; row < std::size(kResultRows); ++row) {
      const std::string& text = sheet_.planes[plane].*kResultRows[row].text;
      ShowText(results_[plane].values[row], text.empty() && sheet_.problem.empty() ? "none" : text);
    }
  }
  ShowText(stackGain_, sheet_.problem.empty() ? sheet_.stackGainDb + " dB" : std::string());
  ShowText(reason_, sheet_.problem);
  const Input spacings[2] = {Input::kSpacingH, Input::kSpacingE};
  for (std::size_t plane : {kPlaneH, kPlaneE}) {
    TControl* box = inputs_[static_cast<std::size_t>(spacings[plane])];
    if (cues[plane] != sheet_.spacingCue[plane] && box->handle != nullptr) {
      InvalidateRect(box->handle, nullptr, TRUE);
    }
  }
  if (!sheet_.problem.empty()) {
    if (chart_->handle != nullptr) {
      InvalidateRect(chart_->handle, nullptr, FALSE);
    }
  } else if (form_->handle != nullptr) {
    SetTimer(form_->handle, kChartTimerId, kChartDelayMs, &StackWindow::ChartTimer);
  } else {
    UpdateChart();
  }
}

void StackWindow::UpdateChart() {
  chartReady_ = computer_.ChartFigures(chartFigures_);
  if (chart_->handle != nullptr) {
    InvalidateRect(chart_->handle, nullptr, FALSE);
  }
}

void CALLBACK StackWindow::ChartTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  if (TheWindow != nullptr) {
    TheWindow->UpdateChart();
  }
}

void StackWindow::InputChanged(TControl*) { Recompute(); }

void StackWindow::DistanceClicked(TControl* sender) {
  const Input spacings[2] = {Input::kSpacingH, Input::kSpacingE};
  for (std::size_t plane : {kPlaneH, kPlaneE}) {
    if (sender == distanceButtons_[plane]) {
      TControl* box = inputs_[static_cast<std::size_t>(spacings[plane])];
      SetControlText(box, std::string());
      FocusControl(box);
    }
  }
}

void StackWindow::CopyClicked(TControl*) {
  const std::string text = ClipboardText(ReadInputs(), sheet_);
  if (!OpenClipboard(form_->handle)) {
    return;
  }
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (memory != nullptr) {
    void* bytes = GlobalLock(memory);
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_TEXT, memory) == nullptr) {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

void StackWindow::Resized(TControl*) {
  PlaceChart();
  if (chart_->handle != nullptr) {
    InvalidateRect(chart_->handle, nullptr, FALSE);
  }
  if (modelLine_->handle != nullptr) {
    InvalidateRect(modelLine_->handle, nullptr, TRUE);
  }
}

bool StackWindow::FormMessage(TMessage& msg, LRESULT& result) {
  if (msg.message != WM_GETMINMAXINFO) {
    return false;
  }
  RECT frame = {0, 0, Scale(kMinWidth), Scale(kMinHeight)};
  AdjustWindowRectEx(&frame, form_->style, FALSE, form_->exStyle);
  auto* info = reinterpret_cast<MINMAXINFO*>(msg.lParam);
  info->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
  // The smallest size may be larger than a small screen at a high DPI: the
  // window is then larger than the screen rather than cut.
  info->ptMaxTrackSize.x = std::max(info->ptMaxTrackSize.x, info->ptMinTrackSize.x);
  info->ptMaxTrackSize.y = std::max(info->ptMaxTrackSize.y, info->ptMinTrackSize.y);
  result = 0;
  return true;
}

void StackWindow::PaintChartBox(TControl* sender, HDC dc) {
  RECT client;
  GetClientRect(sender->handle, &client);
  const int width = client.right;
  const int height = client.bottom;
  if (width <= 0 || height <= 0) {
    return;
  }
  // Drawn off screen first, then copied in one step, so that a repaint does not flicker.
  TCanvas* buffer = MakeCanvas();
  const HDC memory = CreateCompatibleDC(dc);
  const HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  buffer->SetContext(memory, TContextOwnership::Borrowed);
  if (!sheet_.problem.empty()) {
    PaintReason(buffer->Handle(), width, height, sheet_.problem, Scale(kReasonFontHeight));
  } else if (chartReady_) {
    PaintChart(buffer->Handle(), chart::LayOut(chartFigures_, width, height, dpi_ / 96.0));
  } else {
    PaintReason(buffer->Handle(), width, height, std::string(), Scale(kReasonFontHeight));
  }
  ControlCanvas(sender)->CopyRect(client, buffer, client);
  buffer->SetContext(nullptr);
  buffer->Free();
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

bool StackWindow::KeyHook(TControl* control, TMessage& msg, LRESULT& result) {
  StackWindow* window = TheWindow;
  if (window == nullptr) {
    return false;
  }
  if (msg.message == WM_SYSCHAR) {
    const int letter = std::tolower(static_cast<int>(msg.wParam));
    if (letter <= 0 || letter >= static_cast<int>(window->mnemonics_.size()) ||
        window->mnemonics_[static_cast<std::size_t>(letter)] == nullptr) {
      return false;
    }
    TControl* target = window->mnemonics_[static_cast<std::size_t>(letter)];
    if (target->isPushButton) {
      SendToControl(target, BM_CLICK, 0, 0);
    } else {
      FocusControl(target);
      SendToControl(target, EM_SETSEL, 0, -1);
    }
    result = 0;
    return true;
  }
  const bool escape = (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) && msg.wParam == VK_ESCAPE;
  if (escape) {
    for (Input spacing : {Input::kSpacingH, Input::kSpacingE}) {
      if (control == window->inputs_[static_cast<std::size_t>(spacing)]) {
        if (msg.message == WM_KEYDOWN) {
          SetControlText(control, std::string());
        }
        result = 0;
        return true;
      }
    }
  }
  return false;
}

bool StackWindow::SpacingCuePaint(TControl* control, TMessage& msg, LRESULT& result) {
  StackWindow* window = TheWindow;
  if (msg.message != WM_PAINT || window == nullptr || GetWindowTextLengthA(control->handle) != 0) {
    return false;
  }
  result = DefaultProcessing(control, msg);
  const std::size_t plane =
      control == window->inputs_[static_cast<std::size_t>(Input::kSpacingH)] ? kPlaneH : kPlaneE;
  const std::string& cue = window->sheet_.spacingCue[plane];
  if (cue.empty()) {
    return true;
  }
  RECT text;
  SendMessageA(control->handle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  const HDC dc = GetDC(control->handle);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control->handle, WM_GETFONT, 0, 0)));
  SetTextColor(dc, kCueColour);
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, cue.data(), static_cast<int>(cue.size()), &text,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(control->handle, dc);
  return true;
}

}  // namespace lobrin::stackwin
