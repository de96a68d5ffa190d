#include "installer/src/app/EventReporters.h"

// Placeholder until the analytics tracker exists: events are dropped.
EventProperties InstallerEventProperties() { return {{L"AB", L"IN"}}; }

void ReportTask(const std::wstring&, float, const std::wstring&, EventProperties) {}
void ReportClick(EventProperties, const std::wstring&) {}
void ReportView(EventProperties) {}
void ReportCrash() {}
