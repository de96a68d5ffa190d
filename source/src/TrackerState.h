#pragma once
// Identity and settings files of one application identity: where they live,
// how the identity is loaded, reconciled with the endpoint and saved.
#include <atomic>
#include <cstdint>
#include <string>

namespace korvel {
namespace telemetry {

// 36 upper-case characters from a GUID; a pseudo-random text when no GUID can be made.
std::string NewDistinctId();
// The fallback form (exposed for tests): eight MT19937 draws, last place first.
std::string PseudoRandomDistinctId();

struct TrackerState {
  bool isLogined = false;
  std::string UserId;
  std::string DistinctId;
  std::string PrimaryDistinctId;
  int UserVipLevel = 0;
  std::string storedUrl;
  std::string settingsFilePath;
  std::string settingsDirectory;
  std::string eventLogPath;
  std::string stagingPath;
  std::string locale;
  std::atomic<int32_t> pendingCount{0};

  explicit TrackerState(std::string logFilePath) : eventLogPath(std::move(logFilePath)) {}

  // Settings directory, settings file, staging file and (when not given) event log path.
  void ResolvePaths(const std::string& appName, bool windows7OrLater);
  void LoadIdentity();
  void ReconcileWithEndpoint(const std::string& serverUrl);
  void SaveIdentity() const;
  void WriteAppSettings(const std::string& appStore, const std::string& appName, const std::string& appVersion) const;
};

}  // namespace telemetry
}  // namespace korvel
