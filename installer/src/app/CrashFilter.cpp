#include "installer/src/app/CrashFilter.h"

#include "installer/src/app/EventReporters.h"

LONG WINAPI InstallerCrashFilter(EXCEPTION_POINTERS*) {
  ReportTask(L"崩溃退出", 0.0f, L"", InstallerEventProperties());
  ReportCrash();
  return EXCEPTION_CONTINUE_SEARCH;
}

void InstallCrashFilter() { ::SetUnhandledExceptionFilter(InstallerCrashFilter); }
