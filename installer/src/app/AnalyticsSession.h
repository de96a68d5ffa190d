#pragma once
// Start-up step 5 and shutdown step 9: the process-wide analytics tracker.
#include <string>

#include "installer/src/app/InstallerConfig.h"
#include "source/src/TrackerConfig.h"

// The installer's own tracker identity, built from its configuration.
korvel::telemetry::TrackerConfig InstallerTrackerConfig(const InstallerConfig& config);
void CreateProcessTracker(const InstallerConfig& config);
// The same with another collection endpoint (developer tools and tests).
void CreateProcessTracker(const InstallerConfig& config, const std::string& serverUrl);
void ReleaseProcessTracker();
