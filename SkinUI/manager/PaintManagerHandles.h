#pragma once
// Owners of the native resources a paint manager holds for its window: the
// window's device context, the off-screen bitmap, the tool tip window and the
// entry in the process-wide list of managers.
#include <windows.h>

#include "installer/src/utils/UniqueResource.h"

namespace SkinUI {

class CUIPaintManager;

struct WindowTraits {
  using pointer = HWND;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DestroyWindow(h); }
};
using UniqueWindow = Utils::UniqueResource<WindowTraits>;

// The device context of a window, released to that window.
class WindowDC {
 public:
  WindowDC() = default;
  ~WindowDC() { Reset(); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Acquire(HWND window);
  void Reset();
  HDC Get() const { return dc_; }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// A memory device context with a client-sized bitmap selected into it.
class OffscreenSurface {
 public:
  OffscreenSurface() = default;
  ~OffscreenSurface() { Reset(); }
  OffscreenSurface(const OffscreenSurface&) = delete;
  OffscreenSurface& operator=(const OffscreenSurface&) = delete;
  // Creates the surface when missing; false when the system refuses.
  bool Ensure(HDC compatible, int width, int height);
  void Reset();
  HDC Dc() const { return dc_; }
  bool IsValid() const { return dc_ != nullptr; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Membership of one manager in the process-wide list (UI thread only).
class ManagerRegistration {
 public:
  ManagerRegistration() = default;
  ~ManagerRegistration() { Leave(); }
  ManagerRegistration(const ManagerRegistration&) = delete;
  ManagerRegistration& operator=(const ManagerRegistration&) = delete;
  void Join(CUIPaintManager* manager);
  void Leave();
  static int Count();
  static CUIPaintManager* At(int index);

 private:
  CUIPaintManager* manager_ = nullptr;
};

}  // namespace SkinUI
