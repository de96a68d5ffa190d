// The paint manager's window side: binding a window and the order in which
// native messages become control events.
#include <windowsx.h>

#include "SkinUI/control/ControlUI.h"
#include "SkinUI/manager/UIPaintManager.h"

namespace SkinUI {
namespace {

constexpr UINT kDrainMessage = WM_APP + 1;
constexpr UINT kReflectOffset = 0x2000;

bool IsMouseInputMessage(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_LBUTTONDBLCLK; }

POINT ScreenToClientPoint(HWND window, LPARAM lParam) {
  POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(window, &point);
  return point;
}

}  // namespace

void CUIPaintManager::BindWindow(HWND window, const wchar_t* name) {
  nameMap_.RemoveAll();
  ReleaseTables();
  RemoveAllTimers();
  windowName_ = name != nullptr ? name : L"";
  if (window_ != window) {
    window_ = window;
    SetPaintDC(window != nullptr ? windowDc_.Acquire(window) : nullptr);
    if (window != nullptr) registration_.Join(this);
  }
}

CUIPaintManager* CUIPaintManager::FindManagerOf(HWND window) {
  if (window == nullptr) return nullptr;
  for (int i = 0; i < ManagerRegistration::Count(); ++i) {
    CUIPaintManager* manager = ManagerRegistration::At(i);
    if (manager->GetPaintWindow() == window) return manager;
  }
  return nullptr;
}

void CUIPaintManager::PostDrainMessage() {
  if (window_ == nullptr || queuePosted_) return;
  queuePosted_ = ::PostMessageW(window_, kDrainMessage, 0, 0) != FALSE;
}

void CUIPaintManager::ClearInputState() {
  keyTarget_ = nullptr;
  hover_ = nullptr;
  pushed_ = nullptr;
}

void CUIPaintManager::ForgetWindowState(CControlUI* control) {
  if (keyTarget_ == control) keyTarget_ = nullptr;
  if (hover_ == control) hover_ = nullptr;
  if (pushed_ == control) pushed_ = nullptr;
  KillTimer(control);
  RemovePostPaint(control);
  RemoveMouseLeaveNeeded(control);
  for (auto it = nativeWindows_.begin(); it != nativeWindows_.end();) {
    it = it->first == control ? nativeWindows_.erase(it) : it + 1;
  }
}

void CUIPaintManager::SetInitSize(int cx, int cy) {
  initSize_ = {cx, cy};
  if (window_ == nullptr || root_ != nullptr) return;
  // Before any control exists the window simply takes the size.
  ::SetWindowPos(window_, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CUIPaintManager::SetCapture() {
  ::SetCapture(window_);
  mouseCaptured_ = true;
}

void CUIPaintManager::ReleaseCapture() {
  ::ReleaseCapture();
  mouseCaptured_ = false;
}

UIEvent CUIPaintManager::MakeEvent(int type, CControlUI* sender, WPARAM wParam, LPARAM lParam) const {
  UIEvent event;
  event.Type = type;
  event.pSender = sender;
  event.dwTimestamp = ::GetTickCount();
  event.ptMouse = lastMouse_;
  WORD state = 0;
  if (::GetKeyState(VK_LBUTTON) < 0) state |= 0x01;
  if (::GetKeyState(VK_RBUTTON) < 0) state |= 0x02;
  if (::GetKeyState(VK_SHIFT) < 0) state |= 0x04;
  if (::GetKeyState(VK_CONTROL) < 0) state |= 0x08;
  if (::GetKeyState(VK_MENU) < 0) state |= 0x20;
  event.wKeyState = state;
  event.wParam = wParam;
  event.lParam = lParam;
  return event;
}

void CUIPaintManager::SendEvent(CControlUI* control, int type, WPARAM wParam, LPARAM lParam, wchar_t key) {
  if (control == nullptr) return;
  UIEvent event = MakeEvent(type, control, wParam, lParam);
  event.chKey = key;
  control->DispatchEvent(event);
}

bool CUIPaintManager::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (window_ == nullptr) return false;

  for (int i = 0; i < messageFilters_.GetSize(); ++i) {
    bool handled = false;
    const LRESULT filtered =
        static_cast<IMessageFilterUI*>(messageFilters_.GetAt(i))->FilterMessage(message, wParam, lParam, handled);
    if (!handled) continue;
    result = filtered;
    if (IsMouseInputMessage(message)) {
      lastMouse_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    } else if (message == WM_CONTEXTMENU || message == WM_MOUSEWHEEL) {
      lastMouse_ = ScreenToClientPoint(window_, lParam);
    }
    return true;
  }

  switch (message) {
    case WM_CLOSE: {
      SendEvent(hover_, UIEVENT_MOUSELEAVE);
      SendEvent(pushed_, UIEVENT_BUTTONUP);
      hover_ = nullptr;
      pushed_ = nullptr;
      SetFocus(nullptr);
      if (::GetActiveWindow() == window_) {
        const bool child = (::GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD) != 0;
        HWND owner = child ? ::GetParent(window_) : ::GetWindow(window_, GW_OWNER);
        // The previous focus window does not matter here.
        if (owner != nullptr) ::SetFocus(owner);
      }
      toolTip_.reset();
      return false;
    }
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT:
      HandlePaint();
      result = 0;
      return true;
    case WM_PRINTCLIENT: {
      if (root_ == nullptr) return false;
      HDC dc = reinterpret_cast<HDC>(wParam);
      RECT client;
      ::GetClientRect(window_, &client);
      root_->Paint(dc, client, nullptr);
      if ((lParam & PRF_CHILDREN) != 0) {
        for (HWND child = ::GetWindow(window_, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
          RECT place;
          ::GetWindowRect(child, &place);
          ::MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&place), 2);
          POINT origin;
          ::SetWindowOrgEx(dc, -place.left, -place.top, &origin);
          ::SendMessageW(child, WM_PRINT, wParam, lParam | PRF_NONCLIENT);
          ::SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
        }
      }
      result = 0;
      return true;
    }
    case WM_SIZE:
      SendEvent(focus_, UIEVENT_WINDOWSIZE, wParam, lParam);
      if (root_ != nullptr) root_->RequestLayout();
      return false;
    case WM_TIMER: {
      const TimerRecord* record = timers_.FindAlive(window_, static_cast<UINT>(wParam));
      if (record == nullptr) return false;
      // The handler may add or kill timers, so the record is not used after this.
      CControlUI* control = record->control;
      const UINT localId = record->localId;
      SendEvent(control, UIEVENT_TIMER, localId, lParam);
      result = 0;
      return true;
    }
    case WM_MOUSEHOVER:
      mouseTracking_ = false;
      SendEvent(hover_, UIEVENT_MOUSEHOVER, wParam, lParam);
      ShowToolTip();
      return true;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return true;
    case WM_MOUSEMOVE:
      OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!noActivate_) ::SetFocus(window_);
      lastMouse_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      CControlUI* control = FindControl(lastMouse_);
      if (control == nullptr || control->GetOwnerManager() != this) return true;
      if (message == WM_LBUTTONDOWN) {
        pushed_ = control;
        SetFocus(control);
        SetCapture();
        SendEvent(control, UIEVENT_BUTTONDOWN, wParam, lParam);
      } else {
        SetCapture();
        SendEvent(control, UIEVENT_DBLCLICK, wParam, lParam);
        pushed_ = control;
      }
      return true;
    }
    case WM_LBUTTONUP: {
      lastMouse_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (pushed_ == nullptr) return true;
      ReleaseCapture();
      CControlUI* pushed = pushed_;
      SendEvent(pushed, UIEVENT_BUTTONUP, wParam, lParam);
      pushed_ = nullptr;
      return true;
    }
    case WM_RBUTTONDOWN: {
      if (!noActivate_) ::SetFocus(window_);
      lastMouse_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      CControlUI* control = FindControl(lastMouse_);
      if (control == nullptr || control->GetOwnerManager() != this) return true;
      SetFocus(control);
      SendEvent(control, UIEVENT_RBUTTONDOWN, wParam, lParam);
      pushed_ = control;
      return true;
    }
    case WM_CONTEXTMENU: {
      lastMouse_ = ScreenToClientPoint(window_, lParam);
      CControlUI* pushed = pushed_;
      pushed_ = nullptr;
      if (pushed == nullptr) return false;
      SendEvent(pushed, UIEVENT_CONTEXTMENU, wParam, lParam);
      return true;
    }
    case WM_MOUSEWHEEL: {
      const POINT point = ScreenToClientPoint(window_, lParam);
      lastMouse_ = point;
      CControlUI* control = FindControl(point);
      if (control == nullptr || control->GetOwnerManager() != this) return false;
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      SendEvent(control, UIEVENT_SCROLLWHEEL, delta < 0 ? 1 : 0, lParam);
      ::SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(lastMouse_.x, lastMouse_.y));
      return true;
    }
    case WM_KEYDOWN:
      if (focus_ == nullptr) return false;
      SendEvent(focus_, UIEVENT_KEYDOWN, wParam, lParam, static_cast<wchar_t>(wParam));
      keyTarget_ = focus_;
      return true;
    case WM_KEYUP: {
      if (keyTarget_ == nullptr) return false;
      CControlUI* target = keyTarget_;
      keyTarget_ = nullptr;
      SendEvent(target, UIEVENT_KEYUP, wParam, lParam, static_cast<wchar_t>(wParam));
      return true;
    }
    case WM_CHAR:
      if (focus_ == nullptr) return false;
      SendEvent(focus_, UIEVENT_CHAR, wParam, lParam, static_cast<wchar_t>(wParam));
      return true;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) return false;
      if (mouseCaptured_) return true;
      return OnSetCursor(lParam) ? (result = TRUE, true) : false;
    case WM_MOUSEACTIVATE:
      if (!noActivate_) return false;
      result = MA_NOACTIVATE;
      return true;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (minInfo_.cx > 0) info->ptMinTrackSize.x = minInfo_.cx;
      if (minInfo_.cy > 0) info->ptMinTrackSize.y = minInfo_.cy;
      if (maxInfo_.cx > 0) info->ptMaxTrackSize.x = maxInfo_.cx;
      if (maxInfo_.cy > 0) info->ptMaxTrackSize.y = maxInfo_.cy;
      return false;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header == nullptr || header->hwndFrom == nullptr) return false;
      result = ::SendMessageW(header->hwndFrom, message + kReflectOffset, wParam, lParam);
      return true;
    }
    case WM_COMMAND:
      if (lParam == 0) return false;
      result = ::SendMessageW(reinterpret_cast<HWND>(lParam), message + kReflectOffset, wParam, lParam);
      return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (lParam == 0) return false;
      result = ::SendMessageW(reinterpret_cast<HWND>(lParam), message + kReflectOffset, wParam, lParam);
      return true;
    case WM_KILLFOCUS: {
      HWND next = reinterpret_cast<HWND>(wParam);
      for (const auto& entry : nativeWindows_) {
        if (entry.second == next) {
          // The native window takes the keys; its control is the focus without moving the system focus.
          SetFocus(entry.first, false);
          break;
        }
      }
      return false;
    }
    case WM_DESTROY:
      // A later window may get the same handle: this manager no longer answers for it.
      registration_.Leave();
      windowDc_.Reset();
      SetPaintDC(nullptr);
      return false;
    case kDrainMessage:
      queuePosted_ = false;
      DrainNotifyQueue();
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace SkinUI
