#pragma once
// Owners for the GDI handles the framework creates.
#include <windows.h>

#include "installer/src/utils/UniqueResource.h"

namespace SkinUI {

// Pens, brushes, bitmaps, fonts and regions are all freed with DeleteObject.
template <typename Handle>
struct DeleteObjectTraits {
  using pointer = Handle;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DeleteObject(h); }
};

struct MemoryDcTraits {
  using pointer = HDC;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DeleteDC(h); }
};

using UniqueGdiObject = Utils::UniqueResource<DeleteObjectTraits<HGDIOBJ>>;
using UniqueBitmap = Utils::UniqueResource<DeleteObjectTraits<HBITMAP>>;
using UniqueFont = Utils::UniqueResource<DeleteObjectTraits<HFONT>>;
using UniqueRegion = Utils::UniqueResource<DeleteObjectTraits<HRGN>>;
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
