#include "SkinUI/window/WindowWnd.h"

namespace SkinUI {
namespace {

CWindowWnd::LoopMessageTranslator g_loopTranslator = nullptr;

void ReturnToOwner(HWND owner) {
  if (owner == nullptr) return;
  ::EnableWindow(owner, TRUE);
  // The previous focus window is of no interest here.
  ::SetFocus(owner);
}

}  // namespace

void CWindowWnd::SetLoopMessageTranslator(LoopMessageTranslator translator) { g_loopTranslator = translator; }

UINT CWindowWnd::ShowModal() {
  if (m_hWnd == nullptr || !::IsWindow(m_hWnd)) return 0;
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
  if (owner != nullptr) ::EnableWindow(owner, FALSE);

  UINT result = 0;
  bool quit = false;
  WPARAM quitCode = 0;
  MSG message = {};
  while (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      quit = true;
      quitCode = message.wParam;
      break;
    }
    if (got == -1) break;  // invalid arguments; nothing more will arrive
    if (message.message == WM_CLOSE && message.hwnd == m_hWnd) {
      result = static_cast<UINT>(message.wParam);
      // Enabled before this window goes, so the system activates the owner.
      ReturnToOwner(owner);
    }
    if (g_loopTranslator != nullptr && g_loopTranslator(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ReturnToOwner(owner);
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
  return result;
}

}  // namespace SkinUI
