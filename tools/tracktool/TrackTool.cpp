// tracktool <endpoint url> <event> [<event> ...]
// Events: click:<name>  view:<name>  task:<name>:<elapsed>  crash:<reason>
// Creates the process-wide tracker as start-up does (endpoint replaced),
// sends the events through the installer's reporters with "AB" = "IN",
// then releases the tracker, which flushes as shutdown does.
#include <curl/curl.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "installer/src/app/AnalyticsSession.h"
#include "installer/src/app/EventReporters.h"
#include "installer/src/app/InstallerConfig.h"
#include "source/src/Utf8Text.h"

namespace {

bool SendEvent(const std::wstring& spec) {
  size_t colon = spec.find(L':');
  if (colon == std::wstring::npos) return false;
  std::wstring kind = spec.substr(0, colon);
  std::wstring rest = spec.substr(colon + 1);
  if (kind == L"click") {
    ReportClick(InstallerEventProperties(), rest);
  } else if (kind == L"view") {
    ReportView(InstallerEventProperties());
  } else if (kind == L"task") {
    size_t last = rest.rfind(L':');
    if (last == std::wstring::npos) return false;
    ReportTask(rest.substr(0, last), std::wcstof(rest.c_str() + last + 1, nullptr), L"", InstallerEventProperties());
  } else if (kind == L"crash") {
    (void)rest;  // the installer's crash report always carries its own reason
    ReportCrash();
  } else {
    return false;
  }
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tracktool <endpoint url> click:<name>|view:<name>|task:<name>:<elapsed>|crash:<reason> ...\n");
    return 2;
  }
  if (curl_global_init(CURL_GLOBAL_ALL) != CURLE_OK) {
    std::fprintf(stderr, "tracktool: libcurl failed to start\n");
    return 1;
  }
  CreateProcessTracker(g_InstallerConfig, korvel::telemetry::Utf8FromWide(argv[1]));
  for (int i = 2; i < argc; ++i) {
    if (!SendEvent(argv[i])) std::fprintf(stderr, "tracktool: unknown event %ls\n", argv[i]);
  }
  ReleaseProcessTracker();
  curl_global_cleanup();
  std::fflush(stdout);
  std::fflush(stderr);
  return 0;
}
