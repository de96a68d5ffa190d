#include "installer/src/app/EventReporters.h"

#include "installer/src/app/InstallerConfig.h"
#include "source/src/ProcessTracker.h"
#include "source/src/Utf8Text.h"

using namespace korvel::telemetry;

EventProperties InstallerEventProperties() { return {{L"AB", L"IN"}}; }

namespace {

// The A/B value for the one kind of the event being sent. An invalid value
// raises QxException to the reporter's caller (the installer passes only "IN").
QxContextProperties ContextFor(const EventProperties& properties, QxEventKind kind) {
  QxContextProperties extras;
  auto it = properties.find(L"AB");
  if (it != properties.end()) {
    std::string value = Utf8FromWide(it->second);
    if (QxContextProperties::isValidABValue(value)) extras.setProperty({kind}, value);
  }
  return extras;
}

std::shared_ptr<TelemetryTrackerWrapper> ActiveTracker() {
  if (!g_InstallerConfig.IsEnableAppTelemetry) return nullptr;
  return GetTracker();
}

}  // namespace

void ReportTask(const std::wstring& name, float value, const std::wstring& detail, EventProperties properties) {
  auto tracker = ActiveTracker();
  if (!tracker) return;
  QxEventTask event;
  event.name = Utf8FromWide(name);
  event.reason = Utf8FromWide(detail);
  event.elapsed = Some(value);
  event.result = Some(QxResult::Success);
  tracker->trackTask(event, ContextFor(properties, Task));
}

void ReportClick(EventProperties properties, const std::wstring& element) {
  auto tracker = ActiveTracker();
  if (!tracker) return;
  QxEventClick event;
  event.name = Utf8FromWide(element);
  event.clickType = QxClickType::Button;
  tracker->trackClick(event, ContextFor(properties, Click));
}

void ReportView(EventProperties properties) {
  auto tracker = ActiveTracker();
  if (!tracker) return;
  QxEventView event;
  event.name = "安装中";
  tracker->trackView(event, ContextFor(properties, View));
}

void ReportCrash() {
  auto tracker = ActiveTracker();
  if (!tracker) return;
  tracker->trackCrash("崩溃");
}
