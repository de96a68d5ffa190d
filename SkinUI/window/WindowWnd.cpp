#include "SkinUI/window/WindowWnd.h"

#include "installer/src/utils/DebugLog.h"

namespace SkinUI {
namespace {

// Superclassed and subclassed controls keep their own user data, so the
// object pointer travels in a window property instead.
constexpr wchar_t kObjectProperty[] = L"WndX";

HINSTANCE ProgramInstance() { return ::GetModuleHandleW(nullptr); }

bool RegisteredOrExists(ATOM atom) { return atom != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS; }

}  // namespace

bool CWindowWnd::RegisterWindowClass() {
  WNDCLASSW wc = {};
  wc.style = GetClassStyle();
  wc.lpfnWndProc = &CWindowWnd::WindowProc;
  wc.hInstance = ProgramInstance();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = GetWindowClassName();
  if (RegisteredOrExists(::RegisterClassW(&wc))) return true;
  DEBUG_LOG(L"RegisterClass %s failed: %u", GetWindowClassName(), ::GetLastError());
  return false;
}

bool CWindowWnd::RegisterSuperclass() {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  if (!::GetClassInfoExW(nullptr, GetBaseClassName(), &wc) &&
      !::GetClassInfoExW(ProgramInstance(), GetBaseClassName(), &wc)) {
    DEBUG_LOG(L"no system class %s: %u", GetBaseClassName(), ::GetLastError());
    return false;
  }
  m_OldWndProc = wc.lpfnWndProc;
  wc.lpfnWndProc = &CWindowWnd::ControlProc;
  wc.hInstance = ProgramInstance();
  wc.lpszClassName = GetWindowClassName();
  if (RegisteredOrExists(::RegisterClassExW(&wc))) return true;
  DEBUG_LOG(L"RegisterClassEx %s failed: %u", GetWindowClassName(), ::GetLastError());
  return false;
}

HWND CWindowWnd::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, const RECT& rect,
                        HMENU menu) {
  return Create(parent, title, style, exStyle, rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, menu);
}

HWND CWindowWnd::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int width,
                        int height, HMENU menu) {
  const bool registered = GetBaseClassName() != nullptr ? RegisterSuperclass() : RegisterWindowClass();
  if (!registered) return nullptr;
  // WM_NCCREATE attaches the object (m_hWnd is set there).
  HWND window = ::CreateWindowExW(exStyle, GetWindowClassName(), title, style, x, y, width, height, parent, menu,
                                  ProgramInstance(), this);
  if (window == nullptr) {
    DEBUG_LOG(L"CreateWindowEx %s failed: %u", GetWindowClassName(), ::GetLastError());
  }
  return window;
}

HWND CWindowWnd::Subclass(HWND window) {
  if (window == nullptr || m_hWnd != nullptr) return nullptr;
  if (!::SetPropW(window, kObjectProperty, this)) return nullptr;
  const LONG_PTR previous =
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowWnd::ControlProc));
  if (previous == 0) {
    ::RemovePropW(window, kObjectProperty);
    return nullptr;
  }
  m_OldWndProc = reinterpret_cast<WNDPROC>(previous);
  m_bSubclassed = true;
  m_hWnd = window;
  return window;
}

void CWindowWnd::Unsubclass() {
  if (!m_bSubclassed || m_hWnd == nullptr) return;
  if (::IsWindow(m_hWnd)) {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_OldWndProc));
    ::RemovePropW(m_hWnd, kObjectProperty);
  }
  m_OldWndProc = ::DefWindowProcW;
  m_bSubclassed = false;
  m_hWnd = nullptr;
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
  if (m_hWnd == nullptr) return;
  // The return value is the previous visibility, not a failure.
  ::ShowWindow(m_hWnd, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

void CWindowWnd::Close(UINT code) {
  if (m_hWnd == nullptr || !::IsWindow(m_hWnd)) return;
  PostMessage(WM_CLOSE, static_cast<WPARAM>(code), 0);
}

void CWindowWnd::SetIcon(UINT resourceId) {
  if (m_hWnd == nullptr) return;
  HINSTANCE instance = ProgramInstance();
  UniqueIcon big(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                                 LR_DEFAULTCOLOR)));
  UniqueIcon small(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                   ::GetSystemMetrics(SM_CXSMICON),
                                                   ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
  if (!big || !small) {
    DEBUG_LOG(L"icon %u not loaded", resourceId);
    return;
  }
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  // The window now shows the new icons; the old ones may go.
  m_bigIcon = std::move(big);
  m_smallIcon = std::move(small);
}

LRESULT CWindowWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

void CWindowWnd::ResizeClient(int width, int height) {
  RECT rect = {};
  if (!::GetClientRect(m_hWnd, &rect)) return;
  if (width != -1) rect.right = width;
  if (height != -1) rect.bottom = height;
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
  const bool hasMenu = (style & WS_CHILD) == 0 && ::GetMenu(m_hWnd) != nullptr;
  if (!::AdjustWindowRectEx(&rect, style, hasMenu, exStyle)) return;
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

LRESULT CWindowWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcW(m_OldWndProc, m_hWnd, message, wParam, lParam);
}

void CWindowWnd::Detach(HWND window) {
  if (m_bSubclassed) Unsubclass();
  m_hWnd = nullptr;
  OnDestroyed(window);
}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWindowWnd* self = nullptr;
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    self = static_cast<CWindowWnd*>(create->lpCreateParams);
    if (self != nullptr) {
      self->m_hWnd = window;
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self != nullptr) {
      const LRESULT result = ::CallWindowProcW(self->m_OldWndProc, window, message, wParam, lParam);
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->Detach(window);
      return result;
    }
  }
  if (self != nullptr) return self->HandleMessage(message, wParam, lParam);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWindowWnd* self = nullptr;
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    self = static_cast<CWindowWnd*>(create->lpCreateParams);
    if (self != nullptr) {
      self->m_hWnd = window;
      ::SetPropW(window, kObjectProperty, self);
    }
  } else {
    self = static_cast<CWindowWnd*>(::GetPropW(window, kObjectProperty));
    if (message == WM_NCDESTROY && self != nullptr) {
      const LRESULT result = ::CallWindowProcW(self->m_OldWndProc, window, message, wParam, lParam);
      // A subclass is undone by Detach, which also drops the property.
      if (!self->m_bSubclassed) ::RemovePropW(window, kObjectProperty);
      self->Detach(window);
      return result;
    }
  }
  if (self != nullptr) return self->HandleMessage(message, wParam, lParam);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace SkinUI
