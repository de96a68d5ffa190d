#pragma once
#include <windows.h>

namespace Utils {

// Dispatches the thread's messages for about 100 ms. False when the window
// (if given) is gone or a quit message arrived (it is posted again).
bool PumpMessages(HWND window);

}  // namespace Utils
