#pragma once
// The properties registered once as super properties of every event record.
#include <string>

#include "source/src/TrackerConfig.h"
#include "source/src/sdk/PropertiesNode.h"

namespace korvel {
namespace telemetry {

// Language, country and locale from a "ll_CC" text, else from the user's default locale.
telemetry_core::PropertiesNode LocaleProperties(const std::string& localeText);
telemetry_core::PropertiesNode PresetProperties(const TrackerConfig& config, const std::string& userId,
                                                const std::string& localeText);

}  // namespace telemetry
}  // namespace korvel
