#include "installer/src/app/StandInMainWindow.h"

#include "installer/src/utils/DebugLog.h"

namespace {

constexpr wchar_t kClassName[] = L"MelodrixStandInWnd";
constexpr int kWidth = 600;
constexpr int kHeight = 400;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCALCSIZE:
      if (wParam) return 0;  // the whole window is client area, like the skinned frame
      break;
    case WM_NCHITTEST:
      return HTCAPTION;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Center(HWND window) {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - kWidth) / 2;
  const int y = work.top + (work.bottom - work.top - kHeight) / 2;
  ::SetWindowPos(window, nullptr, x, y, kWidth, kHeight, SWP_NOZORDER | SWP_FRAMECHANGED);
}

}  // namespace

void RunStandInMainWindow(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = StandInProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = ::CreateSolidBrush(RGB(0x2D, 0x8C, 0xF0));  // owned by the class
  windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(145));
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassExW(&windowClass)) {
    DEBUG_LOG(L"RegisterClassExW failed, error %lu", ::GetLastError());
    return;
  }
  HWND window = ::CreateWindowExW(0, kClassName, L"Melodrix", WS_VISIBLE | WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!window) {
    DEBUG_LOG(L"CreateWindowExW failed, error %lu", ::GetLastError());
    return;
  }
  Center(window);
  MSG message;
  while (::IsWindow(window) && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}
