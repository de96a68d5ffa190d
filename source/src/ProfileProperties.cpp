#include "source/src/ProfileProperties.h"

#include <map>

#include "source/src/QxException.h"
#include "source/src/sdk/Sdk.h"

namespace korvel {
namespace telemetry {

using telemetry_core::PropertiesNode;
using telemetry_core::Sdk;

ProfilePolicy PolicyOf(const std::string& key) {
  // Built once on first use (thread-safe static), read-only afterwards.
  static const std::map<std::string, ProfilePolicy> table = [] {
    std::map<std::string, ProfilePolicy> t;
    for (const char* k : {"$first_visit_time", "qx_first_visit_date", "$ios_install_source", "qx_first_paid_date"})
      t[k] = ProfilePolicy::SetOnce;
    for (const char* k : {"qx_visit_count", "qx_paid_count", "qx_consumption"}) t[k] = ProfilePolicy::Increment;
    for (const char* k :
         {"qx_label", "qx_os", "qx_os_version", "qx_manufacturer", "qx_model", "qx_app_store", "qx_app_platform",
          "qx_last_app_id", "qx_last_app_version", "qx_carrier", "qx_last_visit_date", "aurora_pushid", "qx_user_id",
          "qx_user_name", "qx_user_type", "qx_user_nickname", "qx_user_portrait", "qx_user_mobilephone",
          "qx_user_email", "qx_user_weixin", "qx_user_qq", "qx_user_did", "qx_user_created", "qx_user_last_login",
          "qx_user_last_ip", "qx_user_vip_level", "qx_user_vip_enddate", "idfa", "imei", "android_id", "oaid",
          "qx_ip", "qx_country_code", "qx_country", "qx_province", "qx_city", "qx_last_paid_date"})
      t[k] = ProfilePolicy::Set;
    return t;
  }();
  auto it = table.find(key);
  return it == table.end() ? ProfilePolicy::None : it->second;
}

namespace {
[[noreturn]] void NotSupported(const std::string& key, const char* function) {
  QX_THROW(function, "Not supported user property [" + key + "]!");
}
}  // namespace

void ProfileUserPropertyString(const std::string& key, const std::string& text, const char* function) {
  switch (PolicyOf(key)) {
    case ProfilePolicy::SetOnce: Sdk::ProfileSetOnceString(key, text); return;
    case ProfilePolicy::Set: Sdk::ProfileSetString(key, text); return;
    case ProfilePolicy::Append: Sdk::ProfileAppend(key, text); return;
    case ProfilePolicy::Increment:
      QX_THROW(function, "user property [" + key + "] is string type value, it cannot be accumulated!");
    case ProfilePolicy::None: break;
  }
  NotSupported(key, function);
}

template <typename Number>
static void ProfileNumber(const std::string& key, Number value, const char* function) {
  switch (PolicyOf(key)) {
    case ProfilePolicy::SetOnce: Sdk::ProfileSetOnceNumber(key, value); return;
    case ProfilePolicy::Set: Sdk::ProfileSetNumber(key, value); return;
    case ProfilePolicy::Increment: {
      PropertiesNode p;
      p.SetNumber(key, value);
      Sdk::ProfileIncrement(p);
      return;
    }
    case ProfilePolicy::Append:
      QX_THROW(function, "user property [" + key + "] is number value, it cannot be append to list!");
    case ProfilePolicy::None: break;
  }
  NotSupported(key, function);
}

void ProfileUserPropertyNumber(const std::string& key, int32_t value, const char* function) {
  ProfileNumber(key, value, function);
}
void ProfileUserPropertyNumber(const std::string& key, double value, const char* function) {
  ProfileNumber(key, value, function);
}

void ProfileUserPropertyDateTime(const std::string& key, int64_t time, const char* function) {
  const int64_t kMillisecondThreshold = 157789440000LL;
  int64_t seconds = time >= kMillisecondThreshold ? time / 1000 : time;
  int32_t ms = time >= kMillisecondThreshold ? static_cast<int32_t>(time % 1000) : 0;
  PropertiesNode p;
  p.SetDateTime(key, seconds, ms);
  switch (PolicyOf(key)) {
    case ProfilePolicy::SetOnce: Sdk::ProfileSetOnce(p); return;
    case ProfilePolicy::Set: Sdk::ProfileSet(p); return;
    case ProfilePolicy::Increment:
      QX_THROW(function, "user property [" + key + "] is boolean value, it cannot be accumulative!");
    case ProfilePolicy::Append:
      QX_THROW(function, "user property [" + key + "] is boolean value, it cannot be append to list!");
    case ProfilePolicy::None: break;
  }
  NotSupported(key, function);
}

}  // namespace telemetry
}  // namespace korvel
