#include "installer/src/app/AnalyticsSession.h"

#include "source/src/ProcessTracker.h"
#include "source/src/Utf8Text.h"

using korvel::telemetry::Utf8FromWide;

korvel::telemetry::TrackerConfig InstallerTrackerConfig(const InstallerConfig& config) {
  korvel::telemetry::TrackerConfig t;
  t.appName = Utf8FromWide(config.AppName + config.DlAppNameSuffix);
  t.appVersion = Utf8FromWide(config.AppVersion);
  t.appStore = Utf8FromWide(config.ExeFileName);
  t.dlappId = Utf8FromWide(config.AppName);
  t.dlappVersion = Utf8FromWide(config.m_DlAppVersion);
  return t;
}

void CreateProcessTracker(const InstallerConfig& config) { CreateProcessTracker(config, std::string()); }

void CreateProcessTracker(const InstallerConfig& config, const std::string& serverUrl) {
  korvel::telemetry::TrackerConfig t = InstallerTrackerConfig(config);
  t.serverUrl = serverUrl;
  korvel::telemetry::CreateTracker(t);  // init failures are swallowed there
}

void ReleaseProcessTracker() { korvel::telemetry::ReleaseTracker(); }
