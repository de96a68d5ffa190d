#pragma once
// Where a window goes when it is centred: pure arithmetic, apart from the
// platform lookups of CWindowWnd::CenterWindow.
#include <windows.h>

namespace SkinUI {

// Top-left corner for a window of the given rectangle centred on reference,
// then moved back inside the work area (left and top edges win when the
// window is larger than the work area).
POINT CenteredPosition(const RECT& window, const RECT& reference, const RECT& workArea);

}  // namespace SkinUI
