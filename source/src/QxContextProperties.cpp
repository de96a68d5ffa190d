#include "source/src/QxContextProperties.h"

#include "source/src/QxException.h"

namespace korvel {
namespace telemetry {

namespace {
bool Upper(char c) { return c >= 'A' && c <= 'Z'; }
bool UpperOrDigit(char c) { return Upper(c) || (c >= '0' && c <= '9'); }
}  // namespace

bool QxContextProperties::isValidABValue(const std::string& value) {
  if (value.empty()) return false;
  if (value.size() >= 4) QX_THROW("isValidABValue", "value's length is great than 3.");
  if (!Upper(value[0])) QX_THROW("isValidABValue", "First char is not in A to Z");
  if (value.size() > 1 && !UpperOrDigit(value[1])) QX_THROW("isValidABValue", "second char is not in A to Z and 0 to 9");
  if (value.size() > 2 && !UpperOrDigit(value[2])) QX_THROW("isValidABValue", "third char is not in A to Z and 0 to 9");
  return true;
}

void QxContextProperties::setProperty(const std::vector<int>& kinds, const std::string& value) {
  const std::string key = ABKey();
  if (registry_.count(key)) QX_THROW("setProperty", "Property[" + key + "] already exist!");
  registry_[key] = value;
  for (int kind : kinds) {
    if (kind < 0 || kind >= QxEventKindCount) QX_THROW("setProperty", "QxEvent[" + std::to_string(kind) + "] overflow!");
    lists_[kind].push_back({value, key});
  }
}

const std::vector<QxContextProperties::Entry>& QxContextProperties::getEventProperties(int kind) const {
  if (kind < 0 || kind >= QxEventKindCount)
    QX_THROW("getEventProperties", "QxEvent[" + std::to_string(kind) + "] overflow!");
  return lists_[kind];
}

void QxContextProperties::ApplyTo(int kind, telemetry_core::PropertiesNode& properties) const {
  for (const auto& e : getEventProperties(kind)) properties.SetString(e.key, e.value);
}

}  // namespace telemetry
}  // namespace korvel
