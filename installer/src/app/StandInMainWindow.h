#pragma once
// A plain native 600x400 window titled "Melodrix" that stands in for the
// skinned main window until the UI framework is wired in.
#include <windows.h>

// Creates, centres and shows the window, then runs its message loop until
// the window is destroyed or WM_QUIT arrives.
void RunStandInMainWindow(HINSTANCE instance);
