#include "source/src/sdk/NameRules.h"

#include <cstdio>

namespace telemetry_core {

static bool IsNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '$' || c == '_';
}

bool CheckName(const std::string& name, const std::string& label) {
  if (name.empty() || name.size() > 100) {
    std::fprintf(stderr, "The %s is empty or too long, max length is 100\n", label.c_str());
    return false;
  }
  bool valid = IsNameStart(name[0]);
  for (size_t i = 1; valid && i < name.size(); ++i) valid = IsNameStart(name[i]) || (name[i] >= '0' && name[i] <= '9');
  if (!valid) {
    std::fprintf(stderr, "The %s need to be a valid variable name.\n", label.c_str());
    return false;
  }
  return true;
}

bool CheckId(const std::string& id, const std::string& label) {
  if (id.empty()) {
    std::fprintf(stderr, "The %s is empty.\n", label.c_str());
    return false;
  }
  if (id.size() >= 256) {
    std::fprintf(stderr, "The %s is too long, max length is 255.\n", label.c_str());
    return false;
  }
  return true;
}

}  // namespace telemetry_core
