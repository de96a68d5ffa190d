#include "source/src/TelemetryTrackerImpl.h"

#include <windows.h>

#include "installer/src/app/BuildSettings.h"
#include "source/src/PresetProperties.h"
#include "source/src/QxException.h"
#include "source/src/TrackerOs.h"
#include "source/src/Utf8Text.h"
#include "source/src/sdk/Sdk.h"

namespace korvel {
namespace telemetry {

using telemetry_core::Sdk;

EventLogSink::EventLogSink(const std::string& path) {
  // Opened for append so an existing log is kept; a failure leaves no sink file.
  file_ = _wfopen(WideFromUtf8(path).c_str(), L"ab");
}
EventLogSink::~EventLogSink() {
  if (file_) std::fclose(file_);
}

std::string TelemetryTrackerImpl::DefaultServerUrl() { return MELODRIX_COLLECTOR_URL_A; }

TelemetryTrackerImpl::TelemetryTrackerImpl(const TrackerConfig& config)
    : serverUrl_(EnsureUtf8(config.serverUrl)), config_(config), state_(new TrackerState(config.logFilePath)) {
  config_.appName = EnsureUtf8(config.appName);
  config_.appVersion = EnsureUtf8(config.appVersion);
  config_.appStore = EnsureUtf8(config.appStore);
  config_.dlappId = EnsureUtf8(config.dlappId);
  config_.dlappVersion = EnsureUtf8(config.dlappVersion);
}

void TelemetryTrackerImpl::init() {
  if (config_.appName.empty()) QX_THROW("init", "appName is empty");
  if (config_.appVersion.empty()) QX_THROW("init", "appVersion is empty");
  if (config_.appStore.empty()) QX_THROW("init", "appStore is empty");
  state_->pendingCount = 0;
  NtVersion nt = QueryNtVersion();
  bool windows7OrLater = nt.known && (nt.major > 6 || (nt.major == 6 && nt.minor >= 1));
  state_->ResolvePaths(config_.appName, windows7OrLater);
  if (serverUrl_.empty()) serverUrl_ = DefaultServerUrl();
  state_->LoadIdentity();
  state_->ReconcileWithEndpoint(serverUrl_);
  logger_.reset(new EventLogSink(state_->eventLogPath));
  bool login = state_->isLogined;
  if (!Sdk::Init(state_->stagingPath, serverUrl_, login ? state_->UserId : state_->DistinctId, login))
    QX_THROW("init", "telemetry_core::Sdk::Init is failed");
  Sdk::RegisterSuperProperties(PresetProperties(config_, state_->UserId, state_->locale));
  state_->WriteAppSettings(config_.appStore, config_.appName, config_.appVersion);
}

TelemetryTrackerImpl::~TelemetryTrackerImpl() {
  state_->SaveIdentity();
  for (int attempt = 0; attempt < 3 && state_->pendingCount > 0; ++attempt) {
    if (Sdk::FlushAll()) state_->pendingCount = 0;
  }
  Sdk::Shutdown();
  state_.reset();
  logger_.reset();
}

void TelemetryTrackerImpl::FlushPending() {
  for (int attempt = 0; attempt < 3 && state_->pendingCount > 0; ++attempt) {
    if (Sdk::FlushAll()) {
      state_->pendingCount = 0;
      return;
    }
    Sleep(1);
  }
}

void TelemetryTrackerImpl::SetText(telemetry_core::PropertiesNode& p, const std::string& key,
                                   const std::string& text) const {
  std::string utf8 = EnsureUtf8(text);
  if (!utf8.empty()) p.SetString(key, utf8);
}

void TelemetryTrackerImpl::setL10nLocale(const std::string& locale) {
  state_->locale = EnsureUtf8(locale);
  Sdk::RegisterSuperProperties(LocaleProperties(state_->locale));
}

std::string TelemetryTrackerImpl::primaryDistinctId() { return state_->PrimaryDistinctId; }

}  // namespace telemetry
}  // namespace korvel
