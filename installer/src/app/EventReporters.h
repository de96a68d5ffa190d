#pragma once
// The shell's only way to talk to the analytics tracker. Every reporter does
// nothing when analytics are disabled; every event carries the property "AB".
#include <map>
#include <string>

using EventProperties = std::map<std::wstring, std::wstring>;

// The property map every call site of the installer passes: "AB" = "IN".
EventProperties InstallerEventProperties();

void ReportTask(const std::wstring& name, float value, const std::wstring& detail, EventProperties properties);
void ReportClick(EventProperties properties, const std::wstring& element);
void ReportView(EventProperties properties);
void ReportCrash();
