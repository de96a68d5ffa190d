#pragma once
// The property set of one record: flat (no nested objects), with checked setters.
#include <cstdint>
#include <string>

#include "source/src/sdk/ObjectNode.h"

namespace telemetry_core {

class PropertiesNode : public utils::ObjectNode {
 public:
  // A property set never holds a nested object.
  void SetObject(const std::string&, const utils::ObjectNode&) override {}

  // Refused (with a message on standard error) when over 8192 bytes or not valid UTF-8.
  bool SetString(const std::string& key, const std::string& text);
  void SetNumber(const std::string& key, int32_t value) { Set(key, PropertyValue::Int(value)); }
  void SetNumber(const std::string& key, double value) { Set(key, PropertyValue::Number(value)); }
  void SetBool(const std::string& key, bool flag) { Set(key, PropertyValue::Bool(flag)); }
  void SetDateTime(const std::string& key, int64_t seconds, int32_t milliseconds) {
    Set(key, PropertyValue::DateTime(seconds, milliseconds));
  }
  void Merge(const utils::ObjectNode& other);
  // Keys must be valid names; "$time" must be DATETIME, "$project" STRING.
  bool Check() const;
};

}  // namespace telemetry_core
