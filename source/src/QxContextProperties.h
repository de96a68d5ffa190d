#pragma once
// Extra properties a caller attaches to chosen event kinds (the A/B value).
#include <map>
#include <string>
#include <vector>

#include "source/src/QxEnums.h"
#include "source/src/sdk/PropertiesNode.h"

namespace korvel {
namespace telemetry {

class QxContextProperties {
 public:
  struct Entry {
    std::string value;
    std::string key;
  };
  static const char* ABKey() { return "qxc_ab"; }

  // False for an empty text; raises for anything but [A-Z][A-Z0-9]{0,2}.
  static bool isValidABValue(const std::string& value);
  // Registers the A/B key once and adds the value to each kind's list.
  void setProperty(const std::vector<int>& kinds, const std::string& value);
  const std::vector<Entry>& getEventProperties(int kind) const;
  // Sets the kind's entries on the property set (an existing key is replaced).
  void ApplyTo(int kind, telemetry_core::PropertiesNode& properties) const;

 private:
  std::map<std::string, std::string> registry_;
  std::vector<Entry> lists_[QxEventKindCount];
};

}  // namespace telemetry
}  // namespace korvel
