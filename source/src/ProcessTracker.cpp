#include "source/src/ProcessTracker.h"

#include <mutex>

namespace korvel {
namespace telemetry {

namespace {
std::mutex g_lock;
std::shared_ptr<TelemetryTrackerWrapper> g_tracker;
}  // namespace

void CreateTracker(const TrackerConfig& config) {
  std::unique_ptr<TelemetryTrackerImpl> impl(new TelemetryTrackerImpl(config));
  try {
    impl->init();
  } catch (...) {
    // An incomplete configuration or a core that cannot start leaves an inert
    // tracker: the core drops every record, nothing is sent.
  }
  auto wrapper = std::make_shared<TelemetryTrackerWrapper>(std::move(impl));
  std::shared_ptr<TelemetryTrackerWrapper> previous;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    previous = std::move(g_tracker);
    g_tracker = wrapper;
  }
  previous.reset();  // released outside the lock: its shutdown may flush
}

void ReleaseTracker() {
  std::shared_ptr<TelemetryTrackerWrapper> previous;
  {
    std::lock_guard<std::mutex> guard(g_lock);
    previous = std::move(g_tracker);
  }
}

std::shared_ptr<TelemetryTrackerWrapper> GetTracker() {
  std::lock_guard<std::mutex> guard(g_lock);
  return g_tracker;
}

}  // namespace telemetry
}  // namespace korvel
