#pragma once
// A notification from a control to the window's handlers ("click",
// "selectchanged", "tabselect", "timer", ...).
#include <windows.h>

#include "SkinUI/core/UIString.h"

namespace SkinUI {

class CControlUI;

struct NotifyMsg {
  CUIString sType;
  CUIString sVirtualWnd;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse = {0, 0};
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class INotifyUI {
 public:
  virtual void Notify(NotifyMsg& msg) = 0;

 protected:
  ~INotifyUI() = default;
};

}  // namespace SkinUI
