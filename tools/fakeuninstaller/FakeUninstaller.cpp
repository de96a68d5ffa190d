// Stands in for the previous version's uninstaller in tests: accepts its
// command line and follows the scenario named by
// MELODRIX_FAKE_UNINSTALLER_SCENARIO. Relative files are taken in the
// previous install directory, the value of the final "_?=".
#include <windows.h>

#include "tools/fakepackage/Scenario.h"

int wmain() {
  std::wstring previousDirectory = Fake::ValueAfter(::GetCommandLineW(), L" _?=");
  return Fake::RunScenario(L"MELODRIX_FAKE_UNINSTALLER_SCENARIO", previousDirectory);
}
