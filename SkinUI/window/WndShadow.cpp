#include "SkinUI/window/WndShadow.h"

#include <cstring>

#include "SkinUI/render/GdiResources.h"
#include "SkinUI/render/UIRender.h"
#include "SkinUI/window/ShadowList.h"
#include "installer/src/utils/DebugLog.h"

namespace {

constexpr wchar_t kShadowClassName[] = L"SkinShadowWnd";

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                            DWORD);

// Null until the class is registered on a system that has layered windows;
// without it every shadow stays detached and nothing is drawn.
UpdateLayeredWindowFn g_updateLayeredWindow = nullptr;
HINSTANCE g_shadowInstance = nullptr;

}  // namespace

bool CWndShadow::RegisterShadowClass(HINSTANCE instance) {
  if (g_updateLayeredWindow != nullptr) return false;
  HMODULE user32 = ::GetModuleHandleW(L"USER32.DLL");
  if (user32 == nullptr) return false;
  FARPROC found = ::GetProcAddress(user32, "UpdateLayeredWindow");
  if (found == nullptr) return false;
  g_updateLayeredWindow = reinterpret_cast<UpdateLayeredWindowFn>(reinterpret_cast<void (*)()>(found));
  g_shadowInstance = instance;

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &CWndShadow::ShadowWndProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  wc.lpszClassName = kShadowClassName;
  // A class that already exists serves as well, so the result does not matter.
  ::RegisterClassExW(&wc);
  return true;
}

CWndShadow::~CWndShadow() {
  // A shadow that goes before its parent must not leave the parent's messages
  // routed through a hook that would look for it.
  if (m_parent != nullptr && SkinUI::FindShadow(m_parent) == this && ::IsWindow(m_parent) &&
      ::GetWindowLongPtrW(m_parent, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWndShadow::ParentHookProc)) {
    ::SetWindowLongPtrW(m_parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_OriginParentProc));
  }
  SkinUI::RemoveShadowEntries(this);
  // Posted, not destroyed here: the object may go on another path than its window.
  if (ShadowExists()) ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void CWndShadow::AttachTo(HWND parent) {
  if (g_updateLayeredWindow == nullptr || parent == nullptr) return;
  HWND shadow = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kShadowClassName, nullptr, WS_POPUPWINDOW,
                                  CW_USEDEFAULT, 0, 0, 0, parent, nullptr, g_shadowInstance, nullptr);
  if (shadow == nullptr) {
    DEBUG_LOG(L"shadow window not created: %u", ::GetLastError());
    return;
  }
  SkinUI::AddShadowEntry(parent, this);
  m_hWnd = shadow;
  m_parent = parent;

  const LONG_PTR style = ::GetWindowLongPtrW(parent, GWL_STYLE);
  if ((style & WS_VISIBLE) == 0) {
    m_status = Attached;
  } else if ((style & (WS_MINIMIZE | WS_MAXIMIZE)) != 0) {
    m_status = Attached | ParentVisible;
  } else {
    m_status = Attached | ShadowVisible | ParentVisible;
    ShowShadow();
    RebuildShadow(parent);
  }
  m_OriginParentProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWndShadow::ParentHookProc)));
}

bool CWndShadow::ChangeColour(uint32_t colour) {
  m_settings.colour = colour;
  RebuildIfVisible();
  return true;
}

bool CWndShadow::ChangeDarkness(unsigned darkness) {
  if (darkness > 255) return false;
  m_settings.darkness = static_cast<uint8_t>(darkness);
  RebuildIfVisible();
  return true;
}

bool CWndShadow::ChangeSharpness(unsigned sharpness) {
  if (sharpness > 20) return false;
  m_settings.sharpness = static_cast<uint8_t>(sharpness);
  RebuildIfVisible();
  return true;
}

bool CWndShadow::ChangeSize(int size) {
  if (size < -20 || size > 20) return false;
  m_settings.size = static_cast<int8_t>(size);
  RebuildIfVisible();
  return true;
}

bool CWndShadow::ChangeOffset(int x, int y) {
  if (x < -20 || x > 20 || y < -20 || y > 20) return false;
  m_settings.xOffset = static_cast<int8_t>(x);
  m_settings.yOffset = static_cast<int8_t>(y);
  RebuildIfVisible();
  return true;
}

bool CWndShadow::ChangeImage(const wchar_t* image, const RECT& corner, const RECT& holeOffset) {
  if (image == nullptr) return false;
  std::unique_ptr<SkinUI::ImageInfo> loaded = SkinUI::CUIRender::LoadImage(image);
  if (!loaded) {
    DEBUG_LOG(L"shadow image %s not loaded", image);
    return false;
  }
  m_image = std::move(loaded);
  m_imageCorner = corner;
  m_imageHoleOffset = holeOffset;
  RebuildIfVisible();
  return true;
}

void CWndShadow::RebuildIfVisible() {
  if ((m_status & ShadowVisible) != 0) RebuildShadow(::GetWindow(m_hWnd, GW_OWNER));
}

bool CWndShadow::ShadowExists() const {
  return m_hWnd != nullptr && m_hWnd != reinterpret_cast<HWND>(static_cast<INT_PTR>(-1)) && ::IsWindow(m_hWnd);
}

// ShowWindow returns the previous visibility, not a failure.
void CWndShadow::ShowShadow() { ::ShowWindow(m_hWnd, SW_SHOWNA); }
void CWndShadow::HideShadow() { ::ShowWindow(m_hWnd, SW_HIDE); }

POINT CWndShadow::ShadowPosition(const RECT& parentRect) const {
  if (m_image != nullptr) return POINT{parentRect.left - m_imageCorner.left, parentRect.top - m_imageCorner.top};
  return POINT{parentRect.left + m_settings.xOffset - m_settings.size,
               parentRect.top + m_settings.yOffset - m_settings.size};
}

SIZE CWndShadow::ShadowSize(const RECT& parentRect) const {
  const LONG width = parentRect.right - parentRect.left;
  const LONG height = parentRect.bottom - parentRect.top;
  if (m_image != nullptr) {
    return SIZE{width + m_imageCorner.left + m_imageCorner.right, height + m_imageCorner.top + m_imageCorner.bottom};
  }
  return SIZE{SkinUI::ShadowBitmapWidth(width, m_settings), SkinUI::ShadowBitmapHeight(height, m_settings)};
}

void CWndShadow::DrawShadowImage(HDC dc, SIZE size) const {
  const RECT whole = {0, 0, size.cx, size.cy};
  const RECT source = {0, 0, m_image->width, m_image->height};
  const RECT grid = {m_imageCorner.left + m_imageHoleOffset.left, m_imageCorner.top + m_imageHoleOffset.top,
                     m_imageCorner.right + m_imageHoleOffset.right,
                     m_imageCorner.bottom + m_imageHoleOffset.bottom};
  SkinUI::CUIRender::DrawImage(dc, m_image->bitmap.get(), whole, whole, source, grid, true, 255, true);
}

void CWndShadow::ComputeShadowPixels(uint32_t* pixels, HWND parent, const RECT& parentRect) const {
  SkinUI::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
  if (!region) return;
  // A parent without a window region has an empty shape: nothing is inside.
  const bool hasRegion = ::GetWindowRgn(parent, region.get()) != ERROR;
  HRGN shape = region.get();
  SkinUI::ComputeShadowPixels(pixels, parentRect.right - parentRect.left, parentRect.bottom - parentRect.top,
                              m_settings,
                              [hasRegion, shape](int x, int y) { return hasRegion && ::PtInRegion(shape, x, y); });
}

void CWndShadow::RebuildShadow(HWND parent) {
  if (!ShadowExists() || g_updateLayeredWindow == nullptr) return;
  RECT parentRect = {};
  if (!::GetWindowRect(parent, &parentRect)) return;
  const SIZE shadowSize = ShadowSize(parentRect);
  const int width = shadowSize.cx;
  const int height = shadowSize.cy;
  if (width <= 0 || height <= 0) return;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: bottom-up rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  void* bits = nullptr;
  SkinUI::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) {
    DEBUG_LOG(L"shadow bitmap %dx%d not created", width, height);
    return;
  }
  std::memset(bits, 0, info.bmiHeader.biSizeImage);
  SkinUI::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return;
  // Colour mode writes the pixels before the bitmap is selected; image mode
  // draws into the selected bitmap.
  if (m_image == nullptr) ComputeShadowPixels(static_cast<uint32_t*>(bits), parent, parentRect);
  SkinUI::SelectedObject selected(dc.get(), bitmap.get());
  if (m_image != nullptr) DrawShadowImage(dc.get(), shadowSize);

  POINT position = ShadowPosition(parentRect);
  ::MoveWindow(m_hWnd, position.x, position.y, width, height, FALSE);
  SIZE size = {width, height};
  POINT source = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  if (!g_updateLayeredWindow(m_hWnd, nullptr, &position, &size, dc.get(), &source, 0, &blend, ULW_ALPHA)) {
    DEBUG_LOG(L"UpdateLayeredWindow failed: %u", ::GetLastError());
  }
}

LRESULT CALLBACK CWndShadow::ShadowWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A click on the shadow must neither activate it nor take the focus away.
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CWndShadow::ParentHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWndShadow* shadow = SkinUI::FindShadow(window);
  if (shadow == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  // Taken before acting: the final destroy message removes the entry.
  const WNDPROC previous = shadow->m_OriginParentProc;
  shadow->OnParentMessage(window, message, wParam, lParam);
  return ::CallWindowProcW(previous, window, message, wParam, lParam);
}

void CWndShadow::OnParentMessage(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      if (ShadowExists()) ::DestroyWindow(m_hWnd);
      break;
    case WM_MOVE:
      if ((m_status & ShadowVisible) != 0) {
        RECT parentRect = {};
        if (!::GetWindowRect(parent, &parentRect)) break;
        const POINT position = ShadowPosition(parentRect);
        ::SetWindowPos(m_hWnd, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      break;
    case WM_SIZE:
      if ((m_status & Attached) == 0) break;
      if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
        HideShadow();
        m_status &= static_cast<uint8_t>(~ShadowVisible);
      } else if ((m_status & ParentVisible) != 0) {
        const uint32_t size = static_cast<uint32_t>(lParam);
        // A growing parent has not applied its new region yet: wait for its paint.
        if ((size & 0xFFFF) > (m_lastParentSize & 0xFFFF) || (size >> 16) > (m_lastParentSize >> 16)) {
          m_updatePending = true;
        } else {
          RebuildShadow(parent);
        }
        if ((m_status & ShadowVisible) == 0) {
          ShowShadow();
          m_status |= ShadowVisible;
        }
      }
      m_lastParentSize = static_cast<uint32_t>(lParam);
      break;
    case WM_ACTIVATE:
    case WM_EXITSIZEMOVE:
      if ((m_status & ShadowVisible) != 0) RebuildShadow(parent);
      break;
    case WM_PAINT:
      if (m_updatePending) {
        RebuildShadow(parent);
        m_updatePending = false;
      }
      break;
    case WM_SHOWWINDOW:
      if ((m_status & Attached) == 0) break;
      if (wParam == 0) {
        HideShadow();
        m_status &= static_cast<uint8_t>(~(ShadowVisible | ParentVisible));
      } else if ((m_status & ParentVisible) == 0) {
        m_updatePending = true;
        ShowShadow();
        m_status |= ShadowVisible | ParentVisible;
      }
      break;
    case WM_NCDESTROY:
      SkinUI::RemoveShadowEntry(parent);
      m_parent = nullptr;
      break;
    default:
      break;
  }
}
