#include "source/src/PresetProperties.h"

#include <windows.h>

#include "source/src/TrackerOs.h"
#include "source/src/Utf8Text.h"

namespace korvel {
namespace telemetry {

using telemetry_core::PropertiesNode;

PropertiesNode LocaleProperties(const std::string& localeText) {
  std::string language, country, locale;
  size_t bar = localeText.find('_');
  if (bar != std::string::npos) {
    language = localeText.substr(0, bar);
    country = localeText.substr(bar + 1);
    locale = localeText;
  } else {
    wchar_t lang[16] = {}, ctry[16] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, lang, 16) > 0 &&
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, ctry, 16) > 0) {
      language = Utf8FromWide(lang);
      country = Utf8FromWide(ctry);
      locale = language + "_" + country;
    }
  }
  PropertiesNode p;
  p.SetString("qx_l10n_locale", locale);
  p.SetString("qx_l10n_language", language);
  p.SetString("qx_l10n_country", country);
  return p;
}

PropertiesNode PresetProperties(const TrackerConfig& config, const std::string& userId, const std::string& localeText) {
  PropertiesNode p;
  p.SetString("qx_app_id", config.appName);
  p.SetString("$app_version", config.appVersion);
  p.SetString("$app_id", config.appName);
  p.SetString("qx_app_store", config.appStore);
  p.SetString("qx_edition", ToString(config.edition));
  if (!config.dlappId.empty()) p.SetString("qx_dlapp_id", config.dlappId);
  if (!config.dlappVersion.empty()) p.SetString("qx_dlapp_version", config.dlappVersion);
  p.SetString("qx_app_platform", "Windows");
  p.SetString("qx_track_type", "Client");
  p.SetString("qx_sdk_version", "3.3.8");
  p.SetString("qx_sdk", "WindowsCPP");
  p.SetString("$os", TrackerOsName());
  p.SetString("$os_version", TrackerOsVersion());
  p.Merge(LocaleProperties(localeText));
  p.SetNumber("$screen_height", static_cast<int32_t>(GetSystemMetrics(SM_CYSCREEN)));
  p.SetNumber("$screen_width", static_cast<int32_t>(GetSystemMetrics(SM_CXSCREEN)));
  if (!userId.empty()) p.SetString("qx_user_id", userId);
  return p;
}

}  // namespace telemetry
}  // namespace korvel
