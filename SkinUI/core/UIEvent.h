#pragma once
// Input events delivered to controls. The numbers matter: range checks such
// as "is a mouse event" compare against the markers.
#include <windows.h>

namespace SkinUI {

class CControlUI;

enum UIEventType {
  UIEVENT__FIRST = 1,
  UIEVENT__KEYBEGIN = 2,
  UIEVENT_KEYDOWN = 3,
  UIEVENT_KEYUP = 4,
  UIEVENT_CHAR = 5,
  UIEVENT_SYSKEY = 6,
  UIEVENT__KEYEND = 7,
  UIEVENT__MOUSEBEGIN = 8,
  UIEVENT_MOUSEMOVE = 9,
  UIEVENT_MOUSELEAVE = 10,
  UIEVENT_MOUSEENTER = 11,
  UIEVENT_MOUSEHOVER = 12,
  UIEVENT_BUTTONDOWN = 13,
  UIEVENT_BUTTONUP = 14,
  UIEVENT_RBUTTONDOWN = 15,
  UIEVENT_DBLCLICK = 16,
  UIEVENT_CONTEXTMENU = 17,
  UIEVENT_SCROLLWHEEL = 18,
  UIEVENT__MOUSEEND = 19,
  UIEVENT_KILLFOCUS = 20,
  UIEVENT_SETFOCUS = 21,
  UIEVENT_WINDOWSIZE = 22,
  UIEVENT_SETCURSOR = 23,
  UIEVENT_TIMER = 24,
  UIEVENT_NOTIFY = 25,
  UIEVENT_COMMAND = 26,
  UIEVENT__LAST = 27,
};

inline bool IsMouseEvent(int type) { return type > UIEVENT__MOUSEBEGIN && type < UIEVENT__MOUSEEND; }
inline bool IsKeyEvent(int type) { return type > UIEVENT__KEYBEGIN && type < UIEVENT__KEYEND; }

struct UIEvent {
  int Type = 0;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse = {0, 0};
  wchar_t chKey = 0;
  WORD wKeyState = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Control flags reported by GetControlFlags.
enum : UINT {
  UIFLAG_TABSTOP = 0x00000001,
  UIFLAG_SETCURSOR = 0x00000002,
};

}  // namespace SkinUI
