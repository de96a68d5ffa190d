#pragma once
// The settings the installed product reads: set.ini in the install directory
// (section "Install") and the analytics settings file it points to.
#include <windows.h>

#include <string>

namespace Install {

// %APPDATA%\KorvelData\<AppName> (the common documents folder when APPDATA
// is not set); empty when neither is known.
std::wstring AnalyticsSettingsFolder();

// Writes [Install] APPStore, AppName, DeviceID (a new GUID every call) and,
// when the analytics folder can be created, QXTelemetryIni and that file's
// [Init] UpdateTime. Write failures are ignored: the product falls back to
// its own defaults when a key is missing.
void WriteSettingsFile(const std::wstring& installDirectory);

// "%d-%02d-%02d %02d:%02d:%02d"
std::wstring FormatUpdateTime(const SYSTEMTIME& time);

}  // namespace Install
