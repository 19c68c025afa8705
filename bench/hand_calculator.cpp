// The calculator's window written by hand in plain Win32: the yardstick that
// the figures hold lobrin.exe against. It does the same visible work — the
// same 654 x 407 window with its caption and icon, the same 33 controls at
// the same places with the same fonts and colours, both pictures drawn fitted
// with halftone scaling, and the same arithmetic with the same number
// conversions — but with no toolkit objects and no element graph: one window
// procedure, fixed tables and a handful of GDI objects made once.
//
// Built a second time with HAND_CALCULATOR_COMMON_CONTROLS, it also loads the
// common-controls library and registers all its classes first, as lobrin.exe
// must for its tooltips: that copy tells the library's cost from the rest.

#include <windows.h>
#ifdef HAND_CALCULATOR_COMMON_CONTROLS
#include <commctrl.h>
#endif

#include <cmath>
#include <string>

#include "toolkit/fpu_control.h"
#include "toolkit/number_text.h"

namespace {

constexpr char kCaption[] = "Lobrin v1.05";
constexpr char kWindowClass[] = "HandCalculator";
constexpr char kPictureClass[] = "HandPicture";
constexpr int kWindowWidth = 654;
constexpr int kWindowHeight = 407;
constexpr int kFontPoints = 8;
constexpr char kFontName[] = "MS Sans Serif";

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

enum class Weight { kRegular, kBold };

// --- The controls, in the calculator's creation order (which is its z order) ---

enum class Kind { kButton, kEdit, kLabel, kPicture };

// What a control does when its notification arrives.
enum class Role {
  kNone,
  kCalculate,
  kClear,
  kInfo,
  kHPlaneBw,
  kEPlaneBw,
  kFrequency,
  kHMeters,
  kHFeet,
  kEMeters,
  kEFeet,
};

struct ControlRow {
  Kind kind;
  int left, top, width, height;
  const char* text;  // caption; for a picture its bitmap resource
  Weight weight;
  COLORREF textColour;
  Role role;
};

constexpr ControlRow kControls[] = {
    {Kind::kButton, 180, 60, 65, 45, "Calculate", Weight::kBold, kRed, Role::kCalculate},
    {Kind::kEdit, 100, 60, 40, 20, "", Weight::kRegular, kBlack, Role::kHPlaneBw},
    {Kind::kEdit, 100, 110, 40, 20, "", Weight::kRegular, kBlack, Role::kFrequency},
    {Kind::kButton, 180, 110, 65, 20, "Clear", Weight::kRegular, kBlack, Role::kClear},
    {Kind::kLabel, 145, 65, 0, 0, "deg", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kLabel, 145, 115, 0, 0, "MHz", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kLabel, 295, 175, 0, 0, "meters", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kLabel, 65, 5, 0, 0, "1) Enter -3dB beamwidth(BW) for E- and H-planes", Weight::kRegular, kBlue,
     Role::kNone},
    {Kind::kLabel, 65, 20, 0, 0, "2) Enter frequency in MHz", Weight::kRegular, kBlue, Role::kNone},
    {Kind::kLabel, 65, 35, 0, 0, "3) Click \"Calculate\"", Weight::kRegular, kBlue, Role::kNone},
    {Kind::kLabel, 15, 5, 0, 0, "Steps:", Weight::kBold, kBlue, Role::kNone},
    {Kind::kLabel, 5, 65, 0, 0, "-3 dB BW H-plane:", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kLabel, 40, 115, 0, 0, "Frequency:", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kPicture, 245, 45, 395, 320, "BITMAP0", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kEdit, 255, 170, 40, 20, "", Weight::kRegular, kRed, Role::kHMeters},
    {Kind::kLabel, 300, 175, 0, 0, "meters", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kEdit, 450, 330, 40, 20, "", Weight::kRegular, kRed, Role::kEMeters},
    {Kind::kLabel, 495, 335, 0, 0, "meters", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kEdit, 255, 190, 40, 20, "", Weight::kRegular, kBlue, Role::kHFeet},
    {Kind::kLabel, 300, 195, 0, 0, "ft", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kEdit, 450, 350, 40, 20, "", Weight::kRegular, kBlue, Role::kEFeet},
    {Kind::kLabel, 495, 355, 0, 0, "ft", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kLabel, 555, 355, 0, 0, "Pat, N0CALL 2014", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kPicture, 40, 150, 205, 220, "BITMAP1", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kLabel, 25, 140, 0, 0, "-3 dB BW is the angle between points A and B", Weight::kRegular, kBlack,
     Role::kNone},
    {Kind::kLabel, 35, 355, 0, 0, "You can find it in description of your antenna", Weight::kRegular, kBlack,
     Role::kNone},
    {Kind::kButton, 590, 0, 55, 20, "Info", Weight::kRegular, kBlack, Role::kInfo},
    {Kind::kLabel, 350, 5, 0, 0, "Please read info before use the program", Weight::kBold, kRed, Role::kNone},
    {Kind::kEdit, 100, 85, 40, 20, "", Weight::kRegular, kBlack, Role::kEPlaneBw},
    {Kind::kLabel, 145, 90, 0, 0, "deg", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kLabel, 5, 90, 0, 0, "-3 dB BW E-plane:", Weight::kRegular, kBlack, Role::kNone},
    {Kind::kLabel, 425, 30, 0, 0, "Stacking Distance", Weight::kBold, kBlack, Role::kNone},
    {Kind::kLabel, 35, 340, 0, 0, "E-plane for Azimuth, H-plane for Elevation ", Weight::kRegular, kBlack,
     Role::kNone},
};
constexpr int kControlCount = sizeof kControls / sizeof kControls[0];
constexpr int kFirstControlId = 100;

// Styles of each kind, as the calculator gives them.
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                             ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_LEFT;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                               BS_PUSHLIKE | BS_MULTILINE | BS_CENTER;
constexpr DWORD kLabelStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | SS_NOTIFY | SS_NOPREFIX | SS_LEFT;
constexpr DWORD kPictureStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kWindowStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// --- What the window keeps ---

struct Window {
  HWND controls[kControlCount] = {};
  HFONT fonts[2] = {};          // owned; by Weight
  HBRUSH blackBrush = nullptr;  // stock
};

Window g_window;

// --- Arithmetic: the calculation chain's steps, in the same precision ---

long double ExtendedSine(long double argument) {
  asm("fsin" : "+t"(argument));
  return argument;
}

double DegreeFactor() {
  long double pi;
  asm("fldpi" : "=t"(pi));
  return static_cast<double>(pi / 180.0L);
}

// The stacking distance in metres for one plane; false when a step divides by zero
// or leaves the double range, which leaves the boxes as they are.
bool Distance(double beamwidth, double frequency, double& metres) {
  const double half = static_cast<double>(static_cast<long double>(beamwidth) / 2.0);
  const double sine = static_cast<double>(ExtendedSine(static_cast<long double>(DegreeFactor()) * half));
  const double doubleSine = static_cast<double>(2.0L * sine);
  if (frequency == 0.0 || doubleSine == 0.0) {
    return false;
  }
  const double wavelength = static_cast<double>(300.0L / frequency);
  metres = static_cast<double>(static_cast<long double>(wavelength) / doubleSine);
  return std::isfinite(wavelength) && std::isfinite(metres);
}

HWND ControlOf(Role role) {
  for (int i = 0; i < kControlCount; ++i) {
    if (kControls[i].role == role) {
      return g_window.controls[i];
    }
  }
  return nullptr;
}

std::string TextOf(Role role) {
  char text[256] = {};
  GetWindowTextA(ControlOf(role), text, sizeof text);
  return text;
}

void ShowDistance(Role beamwidthBox, Role metresBox, Role feetBox) {
  double metres = 0;
  if (!Distance(lobrin::TextToReal(TextOf(beamwidthBox)), lobrin::TextToReal(TextOf(Role::kFrequency)),
                metres)) {
    return;
  }
  const std::string metresText = lobrin::RealToText(metres);
  SetWindowTextA(ControlOf(metresBox), metresText.c_str());
  // Feet from the metres as shown, as the user reads them.
  const double feet = static_cast<double>(3.28084L * lobrin::TextToReal(metresText));
  SetWindowTextA(ControlOf(feetBox), lobrin::RealToText(feet).c_str());
}

void Calculate() {
  ShowDistance(Role::kHPlaneBw, Role::kHMeters, Role::kHFeet);
  ShowDistance(Role::kEPlaneBw, Role::kEMeters, Role::kEFeet);
}

void Clear() {
  for (int i = 0; i < kControlCount; ++i) {
    if (kControls[i].kind == Kind::kEdit) {
      SetWindowTextA(g_window.controls[i], "");
    }
  }
}

void ShowInfo(HWND owner) {
  HRSRC found = FindResourceA(nullptr, "STR1", MAKEINTRESOURCEA(100));
  HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
  const char* text = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : "";
  MessageBoxA(owner, text, "", MB_OK);
}

// --- Painting ---

// A picture: its bitmap drawn fitted into the client area, the bands beside it
// in the button-face colour.
void PaintPicture(HWND picture, HDC dc) {
  auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(picture, GWLP_USERDATA));
  RECT client;
  GetClientRect(picture, &client);
  BITMAP info = {};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0 || info.bmWidth == 0) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  const int w = client.right;
  const int h = client.bottom;
  const double ratio = static_cast<double>(info.bmHeight) / info.bmWidth;
  RECT destination = client;
  const long double scaledHeight = static_cast<long double>(w) * ratio;
  if (scaledHeight <= h) {
    const int m = lobrin::RealToInteger((h - scaledHeight) / 2);
    RECT top = {0, 0, w, m}, bottom = {0, h - m, w, h};
    FillRect(dc, &top, GetSysColorBrush(COLOR_BTNFACE));
    FillRect(dc, &bottom, GetSysColorBrush(COLOR_BTNFACE));
    destination.top = m;
    destination.bottom = h - m;
  } else {
    const int m = lobrin::RealToInteger((w - h / static_cast<long double>(ratio)) / 2);
    RECT left = {0, 0, m, h}, right = {w - m, 0, w, h};
    FillRect(dc, &left, GetSysColorBrush(COLOR_BTNFACE));
    FillRect(dc, &right, GetSysColorBrush(COLOR_BTNFACE));
    destination.left = m;
    destination.right = w - m;
  }
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  StretchBlt(dc, destination.left, destination.top, destination.right - destination.left,
             destination.bottom - destination.top, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

LRESULT CALLBACK PictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(picture, &ps);
      PaintPicture(picture, dc);
      EndPaint(picture, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_DESTROY:
      DeleteObject(reinterpret_cast<HBITMAP>(GetWindowLongPtrA(picture, GWLP_USERDATA)));
      return 0;
    default: return DefWindowProcA(picture, message, wParam, lParam);
  }
}

// --- The controls ---

int FontHeight() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return -((kFontPoints * dpi + 36) / 72);
}

void MakeFonts() {
  LOGFONTA font = {};
  font.lfHeight = FontHeight();
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, kFontName, LF_FACESIZE);
  g_window.fonts[static_cast<int>(Weight::kRegular)] = CreateFontIndirectA(&font);
  font.lfWeight = FW_BOLD;
  g_window.fonts[static_cast<int>(Weight::kBold)] = CreateFontIndirectA(&font);
  g_window.blackBrush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

// A label's size: its text's extent plus one pixel each way.
SIZE LabelSize(HDC measure, HFONT font, const char* text) {
  SIZE size = {0, 0};
  HGDIOBJ old = SelectObject(measure, font);
  GetTextExtentPoint32A(measure, text, lstrlenA(text), &size);
  SelectObject(measure, old);
  return SIZE{size.cx + 1, size.cy + 1};
}

void MakeControls(HWND window, HINSTANCE instance) {
  HDC measure = CreateCompatibleDC(nullptr);
  for (int i = 0; i < kControlCount; ++i) {
    const ControlRow& row = kControls[i];
    HFONT font = g_window.fonts[static_cast<int>(row.weight)];
    const char* className = "STATIC";
    const char* text = row.text;
    DWORD style = kLabelStyle;
    DWORD exStyle = 0;
    int width = row.width;
    int height = row.height;
    switch (row.kind) {
      case Kind::kButton:
        className = "BUTTON";
        style = kButtonStyle;
        break;
      case Kind::kEdit:
        className = "EDIT";
        style = kEditStyle;
        exStyle = WS_EX_CLIENTEDGE;
        break;
      case Kind::kLabel: {
        const SIZE size = LabelSize(measure, font, row.text);
        width = size.cx;
        height = size.cy;
        break;
      }
      case Kind::kPicture:
        className = kPictureClass;
        style = kPictureStyle;
        text = "";
        break;
    }
    HWND control = CreateWindowExA(exStyle, className, text, style, row.left, row.top, width, height, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                   instance, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // Each control lies above the ones made before it, where they overlap.
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (row.kind == Kind::kPicture) {
      SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(LoadBitmapA(instance, row.text)));
    }
    g_window.controls[i] = control;
  }
  DeleteDC(measure);
}

// The colour request of a control: its text colour on its background.
LRESULT ControlColours(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control) - kFirstControlId;
  if (id < 0 || id >= kControlCount) {
    return 0;
  }
  const ControlRow& row = kControls[id];
  SetTextColor(dc, row.textColour);
  SetBkMode(dc, OPAQUE);
  if (row.kind == Kind::kEdit) {
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  if (row.role == Role::kCalculate) {
    SetBkColor(dc, kBlack);
    return reinterpret_cast<LRESULT>(g_window.blackBrush);
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void OnCommand(HWND window, WPARAM wParam) {
  if (HIWORD(wParam) != BN_CLICKED) {
    return;
  }
  const int id = LOWORD(wParam) - kFirstControlId;
  if (id < 0 || id >= kControlCount || kControls[id].kind != Kind::kButton) {
    return;
  }
  switch (kControls[id].role) {
    case Role::kCalculate: Calculate(); break;
    case Role::kClear: Clear(); break;
    case Role::kInfo: ShowInfo(window); break;
    default: break;
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnCommand(window, wParam); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterClasses(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "ICON0");
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  if (RegisterClassA(&windowClass) == 0) {
    return false;
  }

  WNDCLASSA pictureClass = {};
  pictureClass.lpfnWndProc = PictureProc;
  pictureClass.hInstance = instance;
  pictureClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  pictureClass.lpszClassName = kPictureClass;
  return RegisterClassA(&pictureClass) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  lobrin::SetExtendedPrecisionNoTraps();
#ifdef HAND_CALCULATOR_COMMON_CONTROLS
  InitCommonControls();
  const INITCOMMONCONTROLSEX allClasses{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  InitCommonControlsEx(&allClasses);
#endif
  if (!RegisterClasses(instance)) {
    return 1;
  }
  MakeFonts();
  HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, kCaption, kWindowStyle, 0, 0, kWindowWidth,
                                kWindowHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return 1;
  }
  MakeControls(window, instance);
  ShowWindow(window, SW_SHOWNORMAL);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window, &msg)) {
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  for (HFONT font : g_window.fonts) {
    DeleteObject(font);
  }
  return static_cast<int>(msg.wParam);
}
