#include "source/src/sdk/PropertiesNode.h"

#include <cstdio>

#include "source/src/sdk/NameRules.h"

namespace telemetry_core {

static const size_t kMaxStringBytes = 8192;

bool PropertiesNode::SetString(const std::string& key, const std::string& text) {
  if (text.size() > kMaxStringBytes) {
    std::fprintf(stderr, "String property '%s' is too long, value: %s\n", key.c_str(), text.c_str());
    return false;
  }
  if (!IsValidUtf8(text)) {
    std::fprintf(stderr, "String property '%s' is not valid UTF-8 string, value: %s\n", key.c_str(), text.c_str());
    return false;
  }
  Set(key, PropertyValue::String(text));
  return true;
}

void PropertiesNode::Merge(const utils::ObjectNode& other) {
  for (const auto& [key, value] : other.Entries()) entries_[key] = value;
}

bool PropertiesNode::Check() const {
  for (const auto& [key, value] : entries_) {
    if (!CheckName(key, "Property Key")) return false;
    if (key == "$time" && value.type != PropertyType::DATETIME) {
      std::fprintf(stderr, "The property '$time' should be DateTime type.\n");
      return false;
    }
    if (key == "$project" && value.type != PropertyType::STRING) {
      std::fprintf(stderr, "The property '$project' should be String type.\n");
      return false;
    }
  }
  return true;
}

}  // namespace telemetry_core
