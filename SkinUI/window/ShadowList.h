#pragma once
// The process-wide table of shadowed windows and their shadows (UI thread
// only). The first entry for a window wins.
#include <windows.h>

class CWndShadow;

namespace SkinUI {

void AddShadowEntry(HWND parent, CWndShadow* shadow);
CWndShadow* FindShadow(HWND parent);
// Removes the first entry of the window; false when it has none.
bool RemoveShadowEntry(HWND parent);
// Removes every entry that points at the shadow (it is going away).
void RemoveShadowEntries(const CWndShadow* shadow);

}  // namespace SkinUI
