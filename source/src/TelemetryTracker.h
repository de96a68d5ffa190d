#pragma once
// The tracker interface used by the installer's reporters.
#include <cstdio>
#include <memory>
#include <string>

#include "source/src/QxContextProperties.h"
#include "source/src/QxEvents.h"

namespace korvel {
namespace telemetry {

// The event log file, held open while the tracker lives; nothing is written to it.
class EventLogSink {
 public:
  explicit EventLogSink(const std::string& path);
  ~EventLogSink();
  EventLogSink(const EventLogSink&) = delete;
  EventLogSink& operator=(const EventLogSink&) = delete;
  bool IsOpen() const { return file_ != nullptr; }

 private:
  FILE* file_ = nullptr;
};

class TelemetryTracker {
 public:
  virtual ~TelemetryTracker() = default;
  virtual void trackActivity(const QxContextProperties& extras) = 0;
  virtual void trackLaunch(const QxContextProperties& extras) = 0;
  virtual void trackLogin(const QxUser& user, bool success, const std::string& reason,
                          const QxContextProperties& extras) = 0;
  virtual void trackClick(const QxEventClick& event, const QxContextProperties& extras) = 0;
  virtual void trackView(const QxEventView& event, const QxContextProperties& extras) = 0;
  virtual void trackCashier(const QxEventCashier& event, const QxContextProperties& extras) = 0;
  virtual void trackShare(const QxEventShare& event, const QxContextProperties& extras) = 0;
  virtual void trackTask(const QxEventTask& event, const QxContextProperties& extras) = 0;
  virtual void trackFile(const QxEventFile& event, const QxContextProperties& extras) = 0;
  virtual void trackOrder(const QxEventOrder& event, const QxContextProperties& extras) = 0;
  virtual void trackPayment(const QxEventPayment& event, const QxContextProperties& extras) = 0;
  virtual void trackUninstall(const std::string& reason, const QxContextProperties& extras) = 0;
  virtual void trackCrash(const std::string& reason) = 0;
  virtual void trackUpdate(const QxEventUpdate& event, const QxContextProperties& extras) = 0;
  virtual void trackAppOpenNotification(const QxEventAppOpenNotification* event,
                                        const QxContextProperties& extras) = 0;
  virtual void setL10nLocale(const std::string& locale) = 0;
  virtual std::string primaryDistinctId() = 0;
  virtual EventLogSink* trackLogger() = 0;
};

}  // namespace telemetry
}  // namespace korvel
