#include "source/src/ProcessTracker.h"

#include <mutex>

namespace korvel {
namespace telemetry {

namespace {
std::mutex g_lock;
std::shared_ptr<TelemetryTrackerWrapper> g_tracker;
}  // namespace

void CreateTracker(const TrackerConfig& config) {
  // The previous tracker goes first: its shutdown stops the one analytics
  // core, which the new tracker's init then starts afresh.
  ReleaseTracker();
  std::unique_ptr<TelemetryTrackerImpl> impl(new TelemetryTrackerImpl(config));
  try {
    impl->init();
  } catch (...) {
    // An incomplete configuration or a core that cannot start leaves an inert
    // tracker: the core drops every record, nothing is sent.
  }
  auto wrapper = std::make_shared<TelemetryTrackerWrapper>(std::move(impl));
  std::lock_guard<std::mutex> guard(g_lock);
  g_tracker = wrapper;
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
