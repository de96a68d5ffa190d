#pragma once
// Owners for the GDI handles the framework creates.
#include <windows.h>

#include "installer/src/utils/UniqueResource.h"

namespace SkinUI {

struct GdiObjectTraits {
  using pointer = HGDIOBJ;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DeleteObject(h); }
};

struct BitmapTraits {
  using pointer = HBITMAP;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DeleteObject(h); }
};

struct FontTraits {
  using pointer = HFONT;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DeleteObject(h); }
};

struct RegionTraits {
  using pointer = HRGN;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DeleteObject(h); }
};

struct MemoryDcTraits {
  using pointer = HDC;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DeleteDC(h); }
};

using UniqueGdiObject = Utils::UniqueResource<GdiObjectTraits>;
using UniqueBitmap = Utils::UniqueResource<BitmapTraits>;
using UniqueFont = Utils::UniqueResource<FontTraits>;
using UniqueRegion = Utils::UniqueResource<RegionTraits>;
using UniqueMemoryDc = Utils::UniqueResource<MemoryDcTraits>;

// Selects an object into a device context for the lifetime of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (old_ != nullptr) ::SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace SkinUI
