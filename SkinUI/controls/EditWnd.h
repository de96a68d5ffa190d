#pragma once
// The native single-line edit window placed over a CEditUI while it has the
// focus. It lives from the focus gain to the focus loss and deletes itself
// when its window is destroyed.
#include <windows.h>

namespace SkinUI {

class CEditUI;

class CEditWnd {
 public:
  // Creates the window over the edit's text area; null when that fails.
  static CEditWnd* Open(CEditUI* owner);

  HWND GetHWND() const { return window_; }
  // Ends editing: the window goes away and the owner is told.
  void Close();
  // The owner is going away: no more calls back into it.
  void Detach() { owner_ = nullptr; }
  // Moves the window to the owner's current text area (hidden when empty).
  void Reposition();

 private:
  explicit CEditWnd(CEditUI* owner) : owner_(owner) {}
  ~CEditWnd() = default;
  CEditWnd(const CEditWnd&) = delete;
  CEditWnd& operator=(const CEditWnd&) = delete;

  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  bool Configure();

  CEditUI* owner_;
  HWND window_ = nullptr;
  HBRUSH brush_ = nullptr;
  bool closing_ = false;
  bool ready_ = false;  // changes count once the window holds the control's text
};

}  // namespace SkinUI
