#pragma once
// What the tracker is initialised with (UTF-8 texts).
#include <string>

#include "source/src/QxEnums.h"

namespace korvel {
namespace telemetry {

struct TrackerConfig {
  std::string appName;       // required
  std::string appVersion;    // required
  std::string appStore;      // required
  std::string dlappId;       // optional
  std::string dlappVersion;  // optional
  std::string reserved;      // not read
  std::string logFilePath;   // empty: default event log path
  QxEdition edition = QxEdition::china;
  std::string serverUrl;     // empty: the built-in collection endpoint
};

}  // namespace telemetry
}  // namespace korvel
