#pragma once
// The last-chance handler: reports the crash to analytics, then lets the
// system's default handling go on.
#include <windows.h>

LONG WINAPI InstallerCrashFilter(EXCEPTION_POINTERS* exception);
void InstallCrashFilter();
