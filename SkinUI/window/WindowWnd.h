#pragma once
// A thin object wrapper around a native window: class registration, creation
// with the object attached to its window, message dispatch to a virtual
// handler, a modal message loop, centring, showing and closing. The object
// outlives its window; OnDestroyed tells it the window is gone.
#include <windows.h>

#include "installer/src/utils/UniqueResource.h"

namespace SkinUI {

struct IconTraits {
  using pointer = HICON;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DestroyIcon(h); }
};
using UniqueIcon = Utils::UniqueResource<IconTraits>;

class CWindowWnd {
 public:
  // Consulted by ShowModal for every message before it is translated and
  // dispatched; true means the message was consumed (keyboard focus moves,
  // shortcuts). The paint manager installs its loop translation here.
  using LoopMessageTranslator = bool (*)(const MSG& message);
  static void SetLoopMessageTranslator(LoopMessageTranslator translator);

  CWindowWnd() = default;
  virtual ~CWindowWnd() = default;
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  HWND GetHWND() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  bool RegisterWindowClass();
  bool RegisterSuperclass();

  // Null when the class cannot be registered or the window cannot be made.
  HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x = CW_USEDEFAULT,
              int y = CW_USEDEFAULT, int width = CW_USEDEFAULT, int height = CW_USEDEFAULT, HMENU menu = nullptr);
  HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, const RECT& rect, HMENU menu = nullptr);
  HWND Subclass(HWND window);
  void Unsubclass();

  void ShowWindow(bool show = true, bool takeFocus = true);
  // Runs the window's message loop with the owner disabled; returns the code
  // given to Close (0 when the window went away without one).
  UINT ShowModal();
  void Close(UINT code = IDOK);
  void CenterWindow();
  void SetIcon(UINT resourceId);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // -1 keeps the current client width or height.
  void ResizeClient(int width = -1, int height = -1);

 protected:
  virtual const wchar_t* GetWindowClassName() const = 0;
  // A system class name makes this class a superclass of that native control.
  virtual const wchar_t* GetBaseClassName() const { return nullptr; }
  virtual UINT GetClassStyle() const { return 0; }
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void OnDestroyed(HWND window) { (void)window; }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_hWnd = nullptr;
  WNDPROC m_OldWndProc = ::DefWindowProcW;
  bool m_bSubclassed = false;

 private:
  void Detach(HWND window);

  UniqueIcon m_bigIcon;
  UniqueIcon m_smallIcon;
};

}  // namespace SkinUI
