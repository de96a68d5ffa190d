#pragma once
// Validation of event names, property keys and ids. Each check writes its
// message to standard error and returns false on failure.
#include <string>

namespace telemetry_core {

// 1..100 bytes, a variable-like name ([A-Za-z$_][A-Za-z0-9$_]*).
bool CheckName(const std::string& name, const std::string& label);
// Non-empty and at most 255 bytes.
bool CheckId(const std::string& id, const std::string& label);
// The core's UTF-8 acceptance rule for string property values.
bool IsValidUtf8(const std::string& text);

}  // namespace telemetry_core
