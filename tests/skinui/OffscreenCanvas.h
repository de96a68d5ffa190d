#pragma once
// A 32-bit top-down DIB selected into a memory DC, for checking drawn pixels.
#include <windows.h>

#include "SkinUI/render/UIRender.h"

namespace SkinUITest {

class OffscreenCanvas {
 public:
  OffscreenCanvas(int width, int height, DWORD fill = 0xFF000000) : width_(width), height_(height) {
    dc_ = ::CreateCompatibleDC(nullptr);
    bitmap_ = SkinUI::CUIRender::CreateARGB32Bitmap(dc_, width, height, &bits_);
    old_ = ::SelectObject(dc_, bitmap_);
    Fill(fill);
  }
  ~OffscreenCanvas() {
    ::SelectObject(dc_, old_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
  }
  OffscreenCanvas(const OffscreenCanvas&) = delete;
  OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

  HDC dc() const { return dc_; }
  void Fill(DWORD argb) {
    ::GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) reinterpret_cast<DWORD*>(bits_)[i] = argb;
  }
  // 0x00RRGGBB of a pixel (alpha ignored: GDI does not keep it).
  DWORD Rgb(int x, int y) const {
    ::GdiFlush();
    return reinterpret_cast<const DWORD*>(bits_)[y * width_ + x] & 0x00FFFFFF;
  }
  DWORD Raw(int x, int y) const {
    ::GdiFlush();
    return reinterpret_cast<const DWORD*>(bits_)[y * width_ + x];
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  BYTE* bits_ = nullptr;
};

}  // namespace SkinUITest
