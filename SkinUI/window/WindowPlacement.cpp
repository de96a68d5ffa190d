#include "SkinUI/window/WindowPlacement.h"

#include "SkinUI/window/WindowWnd.h"

namespace SkinUI {
namespace {

LONG KeepInside(LONG start, LONG length, LONG areaStart, LONG areaEnd) {
  if (start < areaStart) return areaStart;
  if (start + length > areaEnd) return areaEnd - length;
  return start;
}

}  // namespace

POINT CenteredPosition(const RECT& window, const RECT& reference, const RECT& workArea) {
  const LONG width = window.right - window.left;
  const LONG height = window.bottom - window.top;
  LONG x = (reference.left + reference.right) / 2 - width / 2;
  LONG y = (reference.top + reference.bottom) / 2 - height / 2;
  x = KeepInside(x, width, workArea.left, workArea.right);
  y = KeepInside(y, height, workArea.top, workArea.bottom);
  return POINT{x, y};
}

void CWindowWnd::CenterWindow() {
  RECT window = {};
  if (m_hWnd == nullptr || !::GetWindowRect(m_hWnd, &window)) return;
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  if (!::GetMonitorInfoW(::MonitorFromWindow(owner != nullptr ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST),
                         &monitor)) {
    return;
  }
  RECT reference = monitor.rcWork;
  if (owner != nullptr && !::IsIconic(owner) && !::GetWindowRect(owner, &reference)) reference = monitor.rcWork;
  const POINT position = CenteredPosition(window, reference, monitor.rcWork);
  ::SetWindowPos(m_hWnd, nullptr, position.x, position.y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace SkinUI
