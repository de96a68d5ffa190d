#include "source/src/TelemetryTrackerWrapper.h"

#include <cstdio>

namespace korvel {
namespace telemetry {

template <typename Call>
void TelemetryTrackerWrapper::Guarded(const char* operation, Call call) {
  if (!impl_) return;
  try {
    call(*impl_);
  } catch (...) {
    if (impl_->trackLogger()) {
      std::printf("Failed to %s\n", operation);
      std::fflush(stdout);
    }
  }
}

using X = const QxContextProperties&;

void TelemetryTrackerWrapper::trackActivity(X x) { Guarded("trackActivity", [&](auto& t) { t.trackActivity(x); }); }
void TelemetryTrackerWrapper::trackLaunch(X x) { Guarded("trackLaunch", [&](auto& t) { t.trackLaunch(x); }); }
void TelemetryTrackerWrapper::trackLogin(const QxUser& u, bool ok, const std::string& r, X x) {
  Guarded("trackLogin", [&](auto& t) { t.trackLogin(u, ok, r, x); });
}
void TelemetryTrackerWrapper::trackClick(const QxEventClick& e, X x) {
  Guarded("trackClick", [&](auto& t) { t.trackClick(e, x); });
}
void TelemetryTrackerWrapper::trackView(const QxEventView& e, X x) {
  Guarded("trackView", [&](auto& t) { t.trackView(e, x); });
}
void TelemetryTrackerWrapper::trackCashier(const QxEventCashier& e, X x) {
  Guarded("trackCashier", [&](auto& t) { t.trackCashier(e, x); });
}
void TelemetryTrackerWrapper::trackShare(const QxEventShare& e, X x) {
  Guarded("trackShare", [&](auto& t) { t.trackShare(e, x); });
}
void TelemetryTrackerWrapper::trackTask(const QxEventTask& e, X x) {
  Guarded("trackTask", [&](auto& t) { t.trackTask(e, x); });
}
void TelemetryTrackerWrapper::trackFile(const QxEventFile& e, X x) {
  Guarded("trackFile", [&](auto& t) { t.trackFile(e, x); });
}
void TelemetryTrackerWrapper::trackOrder(const QxEventOrder& e, X x) {
  Guarded("trackOrder", [&](auto& t) { t.trackOrder(e, x); });
}
void TelemetryTrackerWrapper::trackPayment(const QxEventPayment& e, X x) {
  Guarded("trackPayment", [&](auto& t) { t.trackPayment(e, x); });
}
void TelemetryTrackerWrapper::trackUninstall(const std::string& r, X x) {
  Guarded("trackUninstall", [&](auto& t) { t.trackUninstall(r, x); });
}
void TelemetryTrackerWrapper::trackCrash(const std::string& r) {
  Guarded("trackCrash", [&](auto& t) { t.trackCrash(r); });
}
void TelemetryTrackerWrapper::trackUpdate(const QxEventUpdate& e, X x) {
  Guarded("trackUpdate", [&](auto& t) { t.trackUpdate(e, x); });
}
void TelemetryTrackerWrapper::trackAppOpenNotification(const QxEventAppOpenNotification* e, X x) {
  Guarded("trackAppOpenNotification", [&](auto& t) { t.trackAppOpenNotification(e, x); });
}
void TelemetryTrackerWrapper::setL10nLocale(const std::string& locale) {
  if (impl_) impl_->setL10nLocale(locale);
}
std::string TelemetryTrackerWrapper::primaryDistinctId() {
  return impl_ ? impl_->primaryDistinctId() : std::string();
}

}  // namespace telemetry
}  // namespace korvel
