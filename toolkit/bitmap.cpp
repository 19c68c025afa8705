#include "toolkit/bitmap.h"

#include <cstdlib>
#include <cstring>

namespace lobrin {

namespace {

// Bytes of pixel data an uncompressed DIB of this description needs.
std::size_t UncompressedImageSize(const BITMAPINFOHEADER& header) {
  const std::size_t width = static_cast<std::size_t>(header.biWidth);
  const std::size_t height = static_cast<std::size_t>(std::labs(header.biHeight));
  const std::size_t stride = ((width * header.biBitCount + 31) / 32) * 4;
  return stride * height;
}

// Bytes of the header and colour table.
std::size_t DescriptionSize(const BITMAPINFOHEADER& header) {
  std::size_t colours = header.biClrUsed;
  if (colours == 0 && header.biBitCount <= 8) {
    colours = std::size_t{1} << header.biBitCount;
  }
  std::size_t size = header.biSize + colours * sizeof(RGBQUAD);
  if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER)) {
    size += 3 * sizeof(DWORD);
  }
  return size;
}

}  // namespace

// The memory context through which a bitmap's canvas draws on the bitmap.
struct TBitmapContext {
  static HDC Acquire(void* data, TCanvas* /*canvas*/) {
    auto* bitmap = static_cast<TBitmap*>(data);
    if (bitmap->handle_ == nullptr && bitmap->dib_bits_ != nullptr) {
      bitmap->MakeDIBSection();
    }
    HDC context = CreateCompatibleDC(nullptr);
    if (context == nullptr) {
      return nullptr;
    }
    if (bitmap->handle_ != nullptr) {
      if (bitmap->before_drawing_ != nullptr) {
        bitmap->before_drawing_(bitmap);
      }
      bitmap->canvas_old_bitmap_ = SelectObject(context, bitmap->handle_);
    }
    return context;
  }

  static void Release(void* data, TCanvas* /*canvas*/, HDC context) {
    auto* bitmap = static_cast<TBitmap*>(data);
    if (bitmap->canvas_old_bitmap_ != nullptr) {
      SelectObject(context, bitmap->canvas_old_bitmap_);
      bitmap->canvas_old_bitmap_ = nullptr;
    }
    DeleteDC(context);
  }
};

TBitmap* MakeBitmap(std::int32_t width, std::int32_t height) {
  auto* bitmap = new TBitmap();
  bitmap->SetSize(width, height);
  return bitmap;
}

TBitmap::~TBitmap() { Clear(); }

void TBitmap::BeforeDrawing() {
  // The handle can be selected into one context only: take it out of the canvas's.
  if (canvas_ != nullptr) {
    canvas_->SetContext(nullptr);
  }
  if (before_drawing_ != nullptr) {
    before_drawing_(this);
  }
}

void TBitmap::FreeDIB() {
  if (!bits_in_section_) {
    std::free(dib_bits_);
  }
  dib_bits_ = nullptr;
  dib_bits_size_ = 0;
  bits_in_section_ = false;
  std::free(dib_info_);
  dib_info_ = nullptr;
}

void TBitmap::Clear() {
  FreeAndNull(canvas_);
  BeforeDrawing();
  if (handle_ != nullptr) {
    DeleteObject(handle_);
  }
  handle_ = nullptr;
  FreeDIB();
  width_ = 0;
  height_ = 0;
}

void TBitmap::SetSize(std::int32_t width, std::int32_t height) {
  Clear();
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
  if (Empty()) {
    return;
  }
  HDC screen = GetDC(nullptr);
  handle_ = CreateCompatibleBitmap(screen, width_, height_);
  ReleaseDC(nullptr, screen);
  if (handle_ == nullptr) {
    width_ = 0;
    height_ = 0;
  }
}

void TBitmap::SetHandle(HBITMAP handle) {
  if (handle != nullptr && handle == handle_) {
    return;
  }
  Clear();
  if (handle == nullptr || GetObjectType(handle) != OBJ_BITMAP) {
    return;
  }
  BITMAP info{};
  if (GetObjectA(handle, sizeof info, &info) == 0) {
    return;
  }
  handle_ = handle;
  width_ = info.bmWidth;
  height_ = std::abs(info.bmHeight);
}

bool TBitmap::SetDIB(const BITMAPINFO* info, std::size_t info_size, const void* bits, std::size_t bits_size) {
  Clear();
  if (info == nullptr || bits == nullptr || info_size < sizeof(BITMAPINFOHEADER)) {
    return false;
  }
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
      header.biBitCount == 0 || header.biBitCount > 32) {
    return false;
  }
  if (DescriptionSize(header) > info_size) {
    return false;
  }
  // StretchDIBits reads as many bytes as the description promises.
  const bool uncompressed = header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS;
  const std::size_t needed = uncompressed ? UncompressedImageSize(header) : header.biSizeImage;
  if (needed == 0 || bits_size < needed) {
    return false;
  }

  auto* info_copy = static_cast<BITMAPINFO*>(std::malloc(info_size));
  void* bits_copy = std::malloc(bits_size);
  if (info_copy == nullptr || bits_copy == nullptr) {
    std::free(info_copy);
    std::free(bits_copy);
    return false;
  }
  std::memcpy(info_copy, info, info_size);
  std::memcpy(bits_copy, bits, bits_size);
  dib_info_ = info_copy;
  dib_bits_ = bits_copy;
  dib_bits_size_ = bits_size;
  width_ = header.biWidth;
  height_ = std::abs(header.biHeight);
  return true;
}

bool TBitmap::MakeDIBSection() {
  if (handle_ != nullptr) {
    return true;
  }
  if (dib_info_ == nullptr || dib_bits_ == nullptr) {
    return false;
  }
  void* section_bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP section = CreateDIBSection(screen, dib_info_, DIB_RGB_COLORS, &section_bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  DIBSECTION described{};
  if (section == nullptr || section_bits == nullptr ||
      GetObjectA(section, sizeof described, &described) == 0) {
    if (section != nullptr) {
      DeleteObject(section);
    }
    return false;
  }
  const std::size_t section_size = static_cast<std::size_t>(described.dsBm.bmWidthBytes) *
                                   static_cast<std::size_t>(std::abs(described.dsBm.bmHeight));
  std::memcpy(section_bits, dib_bits_, dib_bits_size_ < section_size ? dib_bits_size_ : section_size);
  if (!bits_in_section_) {
    std::free(dib_bits_);
  }
  dib_bits_ = section_bits;
  dib_bits_size_ = section_size;
  bits_in_section_ = true;
  handle_ = section;
  return true;
}

void TBitmap::StretchDraw(HDC context, const RECT& rect) {
  if (Empty() || context == nullptr) {
    return;
  }
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (handle_ == nullptr && dib_bits_ != nullptr) {
    const int lines = StretchDIBits(context, rect.left, rect.top, width, height, 0, 0, width_, height_,
                                    dib_bits_, dib_info_, DIB_RGB_COLORS, SRCCOPY);
    if (lines > 0) {
      return;
    }
    if (!MakeDIBSection()) {
      return;
    }
  }
  if (handle_ == nullptr) {
    return;
  }

  BeforeDrawing();
  HDC memory = CreateCompatibleDC(nullptr);
  if (memory == nullptr) {
    return;
  }
  HGDIOBJ old = SelectObject(memory, handle_);
  StretchBlt(context, rect.left, rect.top, width, height, memory, 0, 0, width_, height_, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

TCanvas* TBitmap::Canvas() {
  if (canvas_ == nullptr) {
    canvas_ = MakeCanvas();
    TContextProvider provider;
    provider.acquire = &TBitmapContext::Acquire;
    provider.release = &TBitmapContext::Release;
    provider.data = this;
    canvas_->SetProvider(provider);
  }
  return canvas_;
}

}  // namespace lobrin
