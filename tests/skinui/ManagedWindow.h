#pragma once
// A real window whose messages go through a paint manager, recording every
// notification, for the paint manager's window tests.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "SkinUI/control/ControlUI.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/window/WindowWnd.h"

namespace SkinUI {

struct SeenNotify {
  std::wstring type;
  CControlUI* sender;
  WPARAM wParam;
};

class ManagedWindow : public CWindowWnd, public INotifyUI {
 public:
  CUIPaintManager manager;
  std::vector<SeenNotify> seen;
  std::function<void(NotifyMsg&)> onNotify;

  void Notify(NotifyMsg& msg) override {
    seen.push_back({std::wstring(msg.sType), msg.pSender, msg.wParam});
    if (onNotify) onNotify(msg);
  }
  int Count(const wchar_t* type) const {
    int count = 0;
    for (const SeenNotify& note : seen) count += note.type == type ? 1 : 0;
    return count;
  }

 protected:
  const wchar_t* GetWindowClassName() const override { return L"SkinUIManagedWindow"; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CREATE) {
      manager.BindWindow(m_hWnd, L"managed");
      manager.AddNotifier(this);
    }
    LRESULT result = 0;
    if (manager.HandleWindowMessage(message, wParam, lParam, result)) return result;
    return CWindowWnd::HandleMessage(message, wParam, lParam);
  }
};

// A control that records the events it gets; optionally a tab stop.
class RecordingControl : public CControlUI {
 public:
  explicit RecordingControl(const wchar_t* name, bool tabStop = false) : tabStop_(tabStop) { SetName(name); }
  std::vector<int> events;
  std::vector<WPARAM> timerIds;
  UINT GetControlFlags() const override { return tabStop_ ? static_cast<UINT>(UIFLAG_TABSTOP) : 0u; }
  void DispatchEvent(UIEvent& event) override {
    events.push_back(event.Type);
    if (event.Type == UIEVENT_TIMER) timerIds.push_back(event.wParam);
    CControlUI::DispatchEvent(event);
  }
  int Count(int type) const {
    int count = 0;
    for (int seenType : events) count += seenType == type ? 1 : 0;
    return count;
  }

 private:
  bool tabStop_;
};

// Delivers what is queued, passing each message through the loop translator
// as the modal loop does.
inline void PumpManaged() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (CUIPaintManager::TranslateLoopMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// Pumps until the condition holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    PumpManaged();
    ::Sleep(5);
  }
  return true;
}

}  // namespace SkinUI
