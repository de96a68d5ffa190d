#pragma once
// User-profile updates, each key bound to one policy (set once, increment, set, append).
#include <cstdint>
#include <string>

namespace korvel {
namespace telemetry {

enum class ProfilePolicy { None = 0, SetOnce = 1, Increment = 2, Set = 3, Append = 4 };

ProfilePolicy PolicyOf(const std::string& key);
// Each raises QxException (function name given by the caller) for a refused key.
void ProfileUserPropertyString(const std::string& key, const std::string& text, const char* function);
void ProfileUserPropertyNumber(const std::string& key, int32_t value, const char* function);
void ProfileUserPropertyNumber(const std::string& key, double value, const char* function);
// Values at or above 157789440000 are milliseconds, smaller ones seconds.
void ProfileUserPropertyDateTime(const std::string& key, int64_t time, const char* function);

}  // namespace telemetry
}  // namespace korvel
