#pragma once
// An ordered map of key -> value, written as one line of JSON. Keys sort by
// plain byte comparison, which fixes the key order of every written object.
#include <map>
#include <string>

#include "source/src/sdk/PropertyValue.h"

namespace telemetry_core {
namespace utils {

class ObjectNode {
 public:
  virtual ~ObjectNode() = default;

  void Set(const std::string& key, PropertyValue value) { entries_[key] = std::move(value); }
  virtual void SetObject(const std::string& key, const ObjectNode& object);

  bool Has(const std::string& key) const { return entries_.count(key) != 0; }
  const PropertyValue* Find(const std::string& key) const;
  void Remove(const std::string& key) { entries_.erase(key); }
  void Clear() { entries_.clear(); }
  bool Empty() const { return entries_.empty(); }
  const std::map<std::string, PropertyValue>& Entries() const { return entries_; }

  std::string ToJson() const;

 protected:
  std::map<std::string, PropertyValue> entries_;
};

// JSON string literal with the core's escape set (b t n f r " \ only).
std::string JsonQuote(const std::string& text);
// A DATETIME in local time, "YYYY-MM-DD hh:mm:ss.mmm" (without quotes).
std::string FormatLocalDateTime(int64_t seconds, int32_t milliseconds);

}  // namespace utils
}  // namespace telemetry_core
