#include "elements/win/image.h"

#include "toolkit/canvas.h"
#include "toolkit/control_paint.h"
#include "toolkit/number_text.h"

namespace lobrin {

namespace {
constexpr std::uint8_t kFirstNtVersionCode = 3;  // SystemVersionCode: 3 and above is the NT family
}  // namespace

THIImage::~THIImage() {
  // A paint that arrives while the base tears the control down must not reach
  // this part of the element any more.
  if (HasControl()) {
    control->onPaint = TPaintEvent{};
    control->onClick = TNotifyEvent{};
  }
  FreeAndNull(bitmap);
}

void THIImage::Create(TControl* parent) {
  THIWin::Create(parent);
  if (bitmap == nullptr) {
    bitmap = MakeBitmap(0, 0);
  }
}

void THIImage::SetBitmapHandle(HBITMAP handle) {
  if (handle == nullptr || bitmap == nullptr) {
    return;
  }
  bitmap->SetHandle(handle);
}

void THIImage::SetSmoothScaling(bool on) {
  stretchMode = on && SystemVersionCode() >= kFirstNtVersionCode ? kStretchHalftone : kStretchColourOnColour;
}

TDrawRoutine THIImage::FittedDrawRoutine() { return TDrawRoutine{MemberThunk<&THIImage::DrawFitted>, this}; }

void THIImage::Init() {
  control = MakePaintBox(parentControl);
  THIWin::Init();
  control->onClick = BindEvent<&THIImage::Clicked>(this);
  AttachPaintEvent(control, BindEvent<&THIImage::Paint>(this));
  ControlCanvas(control)->Brush()->SetColour(colour);
  if (autoSize && bitmap != nullptr && !bitmap->Empty()) {
    SetControlSize(control, bitmap->Width(), bitmap->Height());
  }
}

void THIImage::Paint(TControl*, HDC context) {
  if (bitmap == nullptr || bitmap->Empty()) {
    RECT client{0, 0, 0, 0};
    GetClientRect(HandleOf(control), &client);
    FillBand(context, client);
  } else {
    drawRoutine(context);
  }
}

void THIImage::FillBand(HDC context, const RECT& rect) {
  HBRUSH brush = ControlCanvas(control)->Brush()->BrushHandle();
  if (brush != nullptr) {
    ::FillRect(context, &rect, brush);
  }
}

void THIImage::DrawFitted(HDC context) {
  if (!HasControl() || bitmap == nullptr || bitmap->Empty()) {
    return;
  }
  const int w = ControlWidth(control);
  const int h = ControlHeight(control);
  const double r = static_cast<double>(bitmap->Height()) / bitmap->Width();
  RECT client{0, 0, 0, 0};
  GetClientRect(HandleOf(control), &client);
  RECT destination = client;
  const long double scaledHeight = static_cast<long double>(w) * r;
  if (scaledHeight <= h) {
    // Full width: bands at the top and the bottom.
    const int m = RealToInteger((h - scaledHeight) / 2);
    FillBand(context, RECT{0, 0, w, m});
    FillBand(context, RECT{0, h - m, w, h});
    destination.top = m;
    destination.bottom = h - m;
  } else {
    // Full height: bands at the left and the right.
    const int m = RealToInteger((w - h / static_cast<long double>(r)) / 2);
    FillBand(context, RECT{0, 0, m, h});
    FillBand(context, RECT{w - m, 0, w, h});
    destination.left = m;
    destination.right = w - m;
  }
  SetStretchBltMode(context, stretchMode);
  bitmap->StretchDraw(context, destination);
}

void THIImage::Clicked(TControl*) { FireNull(onClick); }

}  // namespace lobrin
