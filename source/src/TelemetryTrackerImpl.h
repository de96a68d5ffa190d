#pragma once
// The tracker proper: identity, preset properties, events and flush policy.
// Destruction is the shutdown (save identity, flush pending, stop the core).
#include <memory>
#include <string>

#include "source/src/TelemetryTracker.h"
#include "source/src/TrackerConfig.h"
#include "source/src/TrackerState.h"
#include "source/src/sdk/PropertiesNode.h"

namespace korvel {
namespace telemetry {

class TelemetryTrackerImpl : public TelemetryTracker {
 public:
  explicit TelemetryTrackerImpl(const TrackerConfig& config);
  ~TelemetryTrackerImpl() override;

  // Raises QxException for an incomplete configuration or when the core cannot start.
  void init();

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
  EventLogSink* trackLogger() override { return logger_.get(); }

  const TrackerState& state() const { return *state_; }
  const std::string& serverUrl() const { return serverUrl_; }
  static std::string DefaultServerUrl();

 private:
  void FlushPending();
  void FlushLater(int count = 1) { state_->pendingCount += count; }
  void SetText(telemetry_core::PropertiesNode& p, const std::string& key, const std::string& text) const;
  void VisitProfileUpdates(const char* function);

  std::string serverUrl_;
  TrackerConfig config_;
  std::unique_ptr<EventLogSink> logger_;
  std::unique_ptr<TrackerState> state_;
};

}  // namespace telemetry
}  // namespace korvel
