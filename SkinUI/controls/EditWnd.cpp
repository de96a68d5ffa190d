#include "SkinUI/controls/EditWnd.h"

#include <commctrl.h>

#include <vector>

#include "SkinUI/controls/EditUI.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "installer/src/utils/DebugLog.h"

namespace SkinUI {
namespace {

// Child notifications come back reflected by the paint manager at this offset.
constexpr UINT kReflectOffset = 0x2000;
constexpr UINT_PTR kSubclassId = 1;

}  // namespace

CEditWnd* CEditWnd::Open(CEditUI* owner) {
  CUIPaintManager* manager = owner->GetOwnerManager();
  if (manager == nullptr || manager->GetPaintWindow() == nullptr) return nullptr;
  auto* edit = new CEditWnd(owner);
  const RECT area = owner->GetNativeRect();
  DWORD style = WS_CHILD | ES_AUTOHSCROLL | owner->GetNativeStyle();
  edit->window_ = ::CreateWindowExW(0, L"EDIT", L"", style, area.left, area.top, area.right - area.left,
                                    area.bottom - area.top, manager->GetPaintWindow(), nullptr,
                                    CUIPaintManager::GetInstance(), nullptr);
  if (edit->window_ == nullptr) {
    DEBUG_LOG(L"edit window not created (error %lu)", ::GetLastError());
    delete edit;
    return nullptr;
  }
  if (!::SetWindowSubclass(edit->window_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(edit))) {
    DEBUG_LOG(L"edit window not subclassed (error %lu)", ::GetLastError());
    ::DestroyWindow(edit->window_);
    delete edit;
    return nullptr;
  }
  if (!edit->Configure()) {
    edit->Close();
    return nullptr;
  }
  return edit;
}

bool CEditWnd::Configure() {
  CUIPaintManager* manager = owner_->GetOwnerManager();
  HFONT font = owner_->GetFont() >= 0 ? manager->GetFont(owner_->GetFont()) : nullptr;
  if (font == nullptr && manager->GetDefaultFontInfo() != nullptr) font = manager->GetDefaultFontInfo()->font.get();
  if (font != nullptr) ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SendMessageW(window_, EM_LIMITTEXT, static_cast<WPARAM>(owner_->GetMaxChar()), 0);
  if (owner_->IsPasswordMode()) ::SendMessageW(window_, EM_SETPASSWORDCHAR, owner_->GetPasswordChar(), 0);
  ::SetWindowTextW(window_, owner_->GetText());
  ::SendMessageW(window_, EM_SETMODIFY, FALSE, 0);
  ready_ = true;
  ::SendMessageW(window_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
  ::EnableWindow(window_, owner_->IsEnabled() ? TRUE : FALSE);
  ::SendMessageW(window_, EM_SETREADONLY, owner_->IsReadOnly() ? TRUE : FALSE, 0);
  Reposition();
  if (!manager->AddNativeWindow(owner_, window_)) return false;
  ::SetFocus(window_);
  const int length = ::GetWindowTextLengthW(window_);
  if (owner_->IsAutoSelectAll()) {
    ::SendMessageW(window_, EM_SETSEL, 0, -1);
  } else {
    ::SendMessageW(window_, EM_SETSEL, length, length);
  }
  return true;
}

void CEditWnd::Reposition() {
  if (owner_ == nullptr || window_ == nullptr) return;
  const RECT area = owner_->GetNativeRect();
  if (::IsRectEmpty(&area)) {
    ::ShowWindow(window_, SW_HIDE);
    return;
  }
  ::SetWindowPos(window_, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CEditWnd::Close() {
  if (closing_ || window_ == nullptr) return;
  closing_ = true;
  // The window deletes this object when it is destroyed.
  ::DestroyWindow(window_);
}

LRESULT CALLBACK CEditWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                        DWORD_PTR data) {
  auto* edit = reinterpret_cast<CEditWnd*>(data);
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    if (edit->owner_ != nullptr) {
      CUIPaintManager* manager = edit->owner_->GetOwnerManager();
      // Best effort: the manager may have dropped its native windows already.
      if (manager != nullptr) manager->RemoveNativeWindow(window);
      edit->owner_->OnEditWindowClosed();
    }
    if (edit->brush_ != nullptr) ::DeleteObject(edit->brush_);
    delete edit;
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  bool handled = false;
  const LRESULT result = edit->HandleMessage(message, wParam, lParam, handled);
  if (handled) return result;
  return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CEditWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (owner_ == nullptr) return 0;
  CUIPaintManager* manager = owner_->GetOwnerManager();
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        if (manager != nullptr) manager->RaiseNotify(owner_, L"return");
        handled = true;
      }
      return 0;
    case WM_CHAR:
      // The Return character would only beep in a single-line edit.
      if (wParam == VK_RETURN) handled = true;
      return 0;
    case WM_KILLFOCUS: {
      const LRESULT result = ::DefSubclassProc(window_, message, wParam, lParam);
      handled = true;
      const HWND next = reinterpret_cast<HWND>(wParam);
      const HWND main = manager != nullptr ? manager->GetPaintWindow() : nullptr;
      // Posted: the window must not go away inside its own focus change.
      ::PostMessageW(window_, WM_CLOSE, 0, 0);
      if (main != nullptr && next != main) ::SendMessageW(main, WM_KILLFOCUS, reinterpret_cast<WPARAM>(next), 0);
      return result;
    }
    case WM_CLOSE:
      handled = true;
      Close();
      return 0;
    case WM_COMMAND + kReflectOffset:
      if (HIWORD(wParam) == EN_CHANGE && ready_) {
        handled = true;
        const int length = ::GetWindowTextLengthW(window_);
        std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
        ::GetWindowTextW(window_, text.data(), length + 1);
        owner_->TakeNativeText(text.data());
        if (manager != nullptr) manager->RaiseNotify(owner_, L"textchanged");
      }
      return 0;
    case WM_CTLCOLOREDIT + kReflectOffset:
    case WM_CTLCOLORSTATIC + kReflectOffset: {
      const DWORD colour = owner_->GetNativeBkColor();
      if (colour == 0xFFFFFFFF) return 0;  // the system's colours
      handled = true;
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const DWORD text = owner_->GetNativeTextColor();
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, RGB((text >> 16) & 0xFF, (text >> 8) & 0xFF, text & 0xFF));
      // A translucent colour is drawn as its opaque part: the control's own
      // rendered background is not available to the native window here.
      if (brush_ == nullptr) brush_ = ::CreateSolidBrush(RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF));
      return reinterpret_cast<LRESULT>(brush_);
    }
    default:
      return 0;
  }
}

}  // namespace SkinUI
