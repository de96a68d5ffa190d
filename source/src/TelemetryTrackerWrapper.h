#pragma once
// Forwards to an owned tracker and keeps every exception inside: a failed
// operation only prints "Failed to <operation>" when the tracker has a log sink.
#include <memory>

#include "source/src/TelemetryTrackerImpl.h"

namespace korvel {
namespace telemetry {

class TelemetryTrackerWrapper : public TelemetryTracker {
 public:
  explicit TelemetryTrackerWrapper(std::unique_ptr<TelemetryTrackerImpl> impl) : impl_(std::move(impl)) {}

  void trackActivity(const QxContextProperties& extras) override;
  void trackLaunch(const QxContextProperties& extras) override;
  void trackLogin(const QxUser& user, bool success, const std::string& reason,
                  const QxContextProperties& extras) override;
  void trackClick(const QxEventClick& event, const QxContextProperties& extras) override;
  void trackView(const QxEventView& event, const QxContextProperties& extras) override;
  void trackCashier(const QxEventCashier& event, const QxContextProperties& extras) override;
  void trackShare(const QxEventShare& event, const QxContextProperties& extras) override;
  void trackTask(const QxEventTask& event, const QxContextProperties& extras) override;
  void trackFile(const QxEventFile& event, const QxContextProperties& extras) override;
  void trackOrder(const QxEventOrder& event, const QxContextProperties& extras) override;
  void trackPayment(const QxEventPayment& event, const QxContextProperties& extras) override;
  void trackUninstall(const std::string& reason, const QxContextProperties& extras) override;
  void trackCrash(const std::string& reason) override;
  void trackUpdate(const QxEventUpdate& event, const QxContextProperties& extras) override;
  void trackAppOpenNotification(const QxEventAppOpenNotification* event, const QxContextProperties& extras) override;
  void setL10nLocale(const std::string& locale) override;
  std::string primaryDistinctId() override;
  EventLogSink* trackLogger() override { return nullptr; }

  TelemetryTrackerImpl* impl() { return impl_.get(); }

 private:
  template <typename Call>
  void Guarded(const char* operation, Call call);

  std::unique_ptr<TelemetryTrackerImpl> impl_;
};

}  // namespace telemetry
}  // namespace korvel
