#pragma once
// The optional CA bundle for verifying the collection endpoint: the PEM file
// named by MELODRIX_CA_BUNDLE (UTF-8), empty when unset (system store).
#include <string>

namespace telemetry_core {
std::string CollectorCaBundlePath();
}
