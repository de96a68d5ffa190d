#include "source/src/QxEnums.h"

#include <vector>

#include "source/src/QxException.h"

namespace korvel {
namespace telemetry {

namespace {
std::string Lookup(int value, int first, const std::vector<const char*>& texts, const std::string& prefix,
                   const char* function = "toString") {
  int index = value - first;
  if (index >= 0 && index < static_cast<int>(texts.size())) return texts[static_cast<size_t>(index)];
  if (prefix.empty()) QX_THROW(function, "the io type is invalid");
  QX_THROW(function, prefix + " [" + std::to_string(value) + "]!");
}
}  // namespace

std::string ToString(QxEventKind v) {
  return Lookup(v, 0, {"Activity", "PaLaunchPal", "Login", "Click", "View", "Cashier", "Share", "Task", "File",
                       "Order", "Payment", "Uninstall", "Update", "Crashed", "AppOpenNotification"},
                "Unknown Event");
}
std::string ToString(QxEdition v) { return Lookup(static_cast<int>(v), 0, {"china", "overseas"}, "Unknown edition"); }
std::string ToString(QxUserType v) {
  return Lookup(static_cast<int>(v), 0,
                {"unknown", "mobilephone", "email", "weixin", "qq", "deviceid", "baidu", "huawei", "apple",
                 "korveluserid", "google", "facebook"},
                "Unknown user type", "userType");
}
std::string ToString(QxResult v) {
  return Lookup(static_cast<int>(v), 0, {"Success", "Cancelled", "Fail", "Unknown"}, "Unknown task result");
}
std::string ToString(QxClickType v) {
  return Lookup(static_cast<int>(v), 0, {"Button", "Banner", "Tutorial", "File", "Others"}, "Unknown ClickType");
}
std::string ToString(QxIoType v) { return Lookup(static_cast<int>(v), 0, {"Input", "Output"}, ""); }
std::string ToString(QxCurrency v) {
  return Lookup(static_cast<int>(v), 0, {"CNY", "USD", "EUR", "HKD", "TWD", "MOP", "SGD", "JPY", "KRW", "INR", "GBP"},
                "Unknown currency");
}
std::string ToString(QxPaidPlatform v) {
  return Lookup(static_cast<int>(v), 0,
                {"Alipay", "WeChatPay", "PayPal", "Tenpay", "CIECC", "GooglePay", "HuaweiPay", "AppleIAP", "Paddle",
                 "ChinaUnionPay"},
                "Unknown paid platform");
}
std::string ToString(QxIapType v) {
  return Lookup(static_cast<int>(v), 1, {"Consumable", "NonConsumable", "AutoRenewable", "NonRenewable"},
                "Unknown qxIapType");
}
std::string ToString(QxUpdateOp v) {
  return Lookup(static_cast<int>(v), 0, {"UpdateCheck", "DownloadStart", "DownloadEnd", "UpgrateStart", "UpgrateEnd"},
                "Unknown QxUpdateOp");
}
std::string ToString(QxUpdateResult v) {
  return Lookup(static_cast<int>(v), 0, {"Success", "Cancelled", "Timeout", "Fail", "Latest", "Updateable"},
                "Unknown QxUpdateResult");
}

}  // namespace telemetry
}  // namespace korvel
