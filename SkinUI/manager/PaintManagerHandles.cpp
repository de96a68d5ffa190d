#include "SkinUI/manager/PaintManagerHandles.h"

#include <algorithm>
#include <vector>

namespace SkinUI {
namespace {

std::vector<CUIPaintManager*>& Managers() {
  static std::vector<CUIPaintManager*> managers;
  return managers;
}

}  // namespace

HDC WindowDC::Acquire(HWND window) {
  Reset();
  dc_ = ::GetDC(window);
  if (dc_ != nullptr) window_ = window;
  return dc_;
}

void WindowDC::Reset() {
  // The window may already be gone; ReleaseDC then fails and nothing is left to free.
  if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  dc_ = nullptr;
  window_ = nullptr;
}

bool OffscreenSurface::Ensure(HDC compatible, int width, int height) {
  if (dc_ != nullptr) return true;
  if (width <= 0 || height <= 0) return false;
  HDC dc = ::CreateCompatibleDC(compatible);
  if (dc == nullptr) return false;
  HBITMAP bitmap = ::CreateCompatibleBitmap(compatible, width, height);
  if (bitmap == nullptr) {
    ::DeleteDC(dc);
    return false;
  }
  dc_ = dc;
  bitmap_ = bitmap;
  previous_ = ::SelectObject(dc_, bitmap_);
  return true;
}

void OffscreenSurface::Reset() {
  if (dc_ != nullptr) {
    if (previous_ != nullptr) ::SelectObject(dc_, previous_);
    ::DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
}

void ManagerRegistration::Join(CUIPaintManager* manager) {
  if (manager_ == manager) return;
  Leave();
  manager_ = manager;
  Managers().push_back(manager);
}

void ManagerRegistration::Leave() {
  if (manager_ == nullptr) return;
  auto& managers = Managers();
  managers.erase(std::remove(managers.begin(), managers.end(), manager_), managers.end());
  manager_ = nullptr;
}

int ManagerRegistration::Count() { return static_cast<int>(Managers().size()); }

CUIPaintManager* ManagerRegistration::At(int index) {
  auto& managers = Managers();
  return index >= 0 && index < static_cast<int>(managers.size()) ? managers[index] : nullptr;
}

}  // namespace SkinUI
