#pragma once
// The process-wide tracker instance.
#include <memory>

#include "source/src/TelemetryTrackerWrapper.h"
#include "source/src/TrackerConfig.h"

namespace korvel {
namespace telemetry {

// Builds and initialises a tracker (an init failure leaves it in place, inert)
// and makes it the process-wide instance, releasing any previous one.
void CreateTracker(const TrackerConfig& config);
// Drops the instance; its destruction flushes pending records and stops the core.
void ReleaseTracker();
std::shared_ptr<TelemetryTrackerWrapper> GetTracker();

}  // namespace telemetry
}  // namespace korvel
