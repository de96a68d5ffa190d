#include "installer/src/utils/MessagePump.h"

#include <mmsystem.h>

namespace Utils {

bool PumpMessages(HWND window) {
  DWORD start = ::timeGetTime();
  do {
    if (window != nullptr && !::IsWindow(window)) return false;
    MSG msg;
    if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  } while (::timeGetTime() - start <= 100);
  return true;
}

}  // namespace Utils
