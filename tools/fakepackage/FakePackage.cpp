// Stands in for the product's big package in tests: accepts its command line
// and follows the scenario named by MELODRIX_FAKE_PACKAGE_SCENARIO. Relative
// files are placed in the install directory, the value of the final "/D=".
#include <windows.h>

#include "tools/fakepackage/Scenario.h"

int wmain() {
  std::wstring installDirectory = Fake::ValueAfter(::GetCommandLineW(), L" /D=");
  return Fake::RunScenario(L"MELODRIX_FAKE_PACKAGE_SCENARIO", installDirectory);
}
