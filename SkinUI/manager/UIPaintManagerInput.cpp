// Mouse tracking, tool tips and pre-translation of loop messages (Tab focus
// order, Alt shortcuts, accelerator handlers).
#include <cwctype>

#include "SkinUI/control/ControlUI.h"
#include "SkinUI/manager/UIPaintManager.h"

namespace SkinUI {
namespace {

struct ShortcutSearch {
  wchar_t key = 0;
  bool passOn = false;  // a label had the key: the next control takes it
};

CControlUI* CALLBACK ShortcutVisitor(CControlUI* control, LPVOID data) {
  auto* search = static_cast<ShortcutSearch*>(data);
  if (search->passOn) return control;
  if (static_cast<wchar_t>(std::towupper(control->GetShortcut())) != search->key) return nullptr;
  if (control->AsInterface(L"Label") != nullptr) {
    search->passOn = true;
    return nullptr;
  }
  return control;
}

}  // namespace

void CUIPaintManager::OnMouseMove(POINT point, WPARAM keys) {
  if (!mouseTracking_) {
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = window_;
    track.dwHoverTime = toolTip_ ? static_cast<DWORD>(::SendMessageW(toolTip_.get(), TTM_GETDELAYTIME, TTDT_INITIAL, 0))
                                 : hoverTime_;
    mouseTracking_ = ::TrackMouseEvent(&track) != FALSE;
  }
  lastMouse_ = point;
  const LPARAM position = MAKELPARAM(point.x, point.y);
  CControlUI* control = FindControl(point);
  if (control != nullptr && control->GetOwnerManager() != this) return;
  if (!mouseCaptured_ && control != hover_) {
    for (int i = 0; i < mouseLeaveNeeded_.GetSize(); ++i) {
      SendEvent(static_cast<CControlUI*>(mouseLeaveNeeded_.GetAt(i)), UIEVENT_MOUSELEAVE, keys, position);
    }
    CControlUI* old = hover_;
    hover_ = nullptr;
    SendEvent(old, UIEVENT_MOUSELEAVE, keys, position);
    HideToolTip();
    if (control != nullptr) {
      hover_ = control;
      SendEvent(control, UIEVENT_MOUSEENTER, keys, position);
    }
  }
  SendEvent(pushed_ != nullptr ? pushed_ : control, UIEVENT_MOUSEMOVE, keys, position);
}

void CUIPaintManager::OnMouseLeave() {
  HideToolTip();
  if (mouseTracking_) {
    POINT cursor;
    ::GetCursorPos(&cursor);
    RECT window;
    ::GetWindowRect(window_, &window);
    const LRESULT hit = ::SendMessageW(window_, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y));
    POINT replay = {-1, -1};
    if (::PtInRect(&window, cursor) && ::GetActiveWindow() == window_ && !::IsIconic(window_) && hit == HTCLIENT) {
      replay = cursor;
      ::ScreenToClient(window_, &replay);
    }
    ::SendMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(replay.x, replay.y));
  }
  mouseTracking_ = false;
}

bool CUIPaintManager::OnSetCursor(LPARAM lParam) {
  POINT cursor;
  ::GetCursorPos(&cursor);
  ::ScreenToClient(window_, &cursor);
  CControlUI* control = FindControl(cursor);
  if (control == nullptr || (control->GetControlFlags() & UIFLAG_SETCURSOR) == 0) return false;
  UIEvent event = MakeEvent(UIEVENT_SETCURSOR, control, 0, lParam);
  event.ptMouse = cursor;
  control->DispatchEvent(event);
  return true;
}

void CUIPaintManager::ShowToolTip() {
  if (hover_ == nullptr) return;
  const CUIString text = ProcessLanguageTokens(hover_->GetToolTip());
  if (text.IsEmpty()) return;
  toolInfo_ = {};
  toolInfo_.cbSize = sizeof(toolInfo_);
  toolInfo_.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  toolInfo_.hwnd = window_;
  toolInfo_.uId = 1;  // the window's only tool, re-described for every control
  toolInfo_.hinst = GetInstance();
  // The tool tip copies the text.
  toolInfo_.lpszText = const_cast<wchar_t*>(static_cast<const wchar_t*>(text));
  toolInfo_.rect = hover_->GetPos();
  if (!toolTip_) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_WIN95_CLASSES};
    // Without the class the create below fails and is handled there.
    ::InitCommonControlsEx(&classes);
    toolTip_.reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                     GetInstance(), nullptr));
    if (!toolTip_) return;  // no tool tip class in this process: hovering works without it
    ::SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&toolInfo_));
  }
  ::SendMessageW(toolTip_.get(), TTM_SETMAXTIPWIDTH, 0, hover_->GetToolTipWidth());
  ::SendMessageW(toolTip_.get(), TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&toolInfo_));
  POINT cursor;
  ::GetCursorPos(&cursor);
  ::SendMessageW(toolTip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(cursor.x, cursor.y + 20));
  ::SendMessageW(toolTip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&toolInfo_));
  toolInfo_.lpszText = nullptr;  // the text is local to this call
}

void CUIPaintManager::HideToolTip() {
  if (toolTip_) ::SendMessageW(toolTip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&toolInfo_));
}

bool CUIPaintManager::HandleShortcut(wchar_t key) {
  if (root_ == nullptr) return false;
  ShortcutSearch search;
  search.key = static_cast<wchar_t>(std::towupper(key));
  CControlUI* control =
      root_->FindControl(ShortcutVisitor, &search, UIFIND_ENABLED | UIFIND_ME_FIRST | UIFIND_TOP_FIRST);
  if (control == nullptr) return false;
  control->SetFocus();
  control->Activate();
  return true;
}

bool CUIPaintManager::PreTranslate(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  for (int i = 0; i < preMessageFilters_.GetSize(); ++i) {
    bool handled = false;
    const LRESULT filtered = static_cast<IMessageFilterUI*>(preMessageFilters_.GetAt(i))
                                 ->FilterMessage(message, wParam, lParam, handled);
    if (handled) {
      result = filtered;
      return true;
    }
  }
  switch (message) {
    case WM_KEYDOWN:
      if (wParam != VK_TAB) return false;
      // A control that takes Tab itself (a multi-line rich edit) says so through this interface.
      if (focus_ != nullptr && focus_->IsVisible() && focus_->IsEnabled() &&
          focus_->AsInterface(L"WantTab") != nullptr) {
        return false;
      }
      MoveFocusToNextTab(::GetKeyState(VK_SHIFT) >= 0);
      return true;
    case WM_SYSKEYDOWN:
      SendEvent(focus_, UIEVENT_SYSKEY, wParam, lParam, static_cast<wchar_t>(wParam));
      return false;
    case WM_SYSCHAR:
      return HandleShortcut(static_cast<wchar_t>(wParam));
    default:
      return false;
  }
}

bool CUIPaintManager::TranslateAccelerators(MSG* message) {
  for (int i = 0; i < translateAccelerators_.GetSize(); ++i) {
    if (static_cast<ITranslateAccelerator*>(translateAccelerators_.GetAt(i))->TranslateAccelerator(message) == 0) {
      return true;
    }
  }
  return false;
}

bool CUIPaintManager::TranslateLoopMessage(const MSG& message) {
  MSG copy = message;
  // A child window's keys belong to the managers of its ancestors as well.
  for (HWND window = message.hwnd; window != nullptr;) {
    CUIPaintManager* manager = FindManagerOf(window);
    if (manager != nullptr) {
      if (manager->TranslateAccelerators(&copy)) return true;
      LRESULT result = 0;
      if (manager->PreTranslate(copy.message, copy.wParam, copy.lParam, result)) return true;
    }
    if ((::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) break;
    window = ::GetParent(window);
  }
  return false;
}

}  // namespace SkinUI
