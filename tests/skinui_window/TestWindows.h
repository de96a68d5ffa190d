#pragma once
// Small real windows for the window-layer tests.
#include <windows.h>

#include <functional>

#include "SkinUI/window/WindowWnd.h"

namespace SkinUI {

// A CWindowWnd whose messages a test can intercept; OnDestroyed is recorded.
class ProbeWindow : public CWindowWnd {
 public:
  // Returns true when it answered the message (result in the last argument).
  using Handler = std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)>;

  explicit ProbeWindow(const wchar_t* className = L"SkinUIProbeWindow", const wchar_t* baseClass = nullptr)
      : className_(className), baseClass_(baseClass) {}

  Handler onMessage;
  HWND destroyedWindow = nullptr;
  int messages = 0;

 protected:
  const wchar_t* GetWindowClassName() const override { return className_; }
  const wchar_t* GetBaseClassName() const override { return baseClass_; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    ++messages;
    LRESULT result = 0;
    if (onMessage && onMessage(message, wParam, lParam, result)) return result;
    return CWindowWnd::HandleMessage(message, wParam, lParam);
  }
  void OnDestroyed(HWND window) override { destroyedWindow = window; }

 private:
  const wchar_t* className_;
  const wchar_t* baseClass_;
};

// Delivers everything already queued for this thread.
inline void PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace SkinUI
