#pragma once
// The tracker's enumerations and their texts. Each ToString raises
// QxException for a value outside its table.
#include <string>

namespace korvel {
namespace telemetry {

enum QxEventKind { Activity = 0, PaLaunchPal, Login, Click, View, Cashier, Share, Task, File, Order, Payment,
                   Uninstall, Update, Crashed, AppOpenNotification, QxEventKindCount };
enum class QxEdition { china = 0, overseas = 1 };
enum class QxUserType { unknown = 0, mobilephone, email, weixin, qq, deviceid, baidu, huawei, apple, korveluserid,
                        google, facebook };
enum class QxResult { Success = 0, Cancelled = 1, Fail = 2, Unknown = 3 };
enum class QxClickType { Button = 0, Banner, Tutorial, File, Others };
enum class QxIoType { Input = 0, Output = 1 };
enum class QxCurrency { CNY = 0, USD, EUR, HKD, TWD, MOP, SGD, JPY, KRW, INR, GBP };
enum class QxPaidPlatform { Alipay = 0, WeChatPay, PayPal, Tenpay, CIECC, GooglePay, HuaweiPay, AppleIAP, Paddle,
                            ChinaUnionPay };
enum class QxIapType { Consumable = 1, NonConsumable, AutoRenewable, NonRenewable };
enum class QxUpdateOp { UpdateCheck = 0, DownloadStart, DownloadEnd, UpgrateStart, UpgrateEnd };
enum class QxUpdateResult { Success = 0, Cancelled, Timeout, Fail, Latest, Updateable };

std::string ToString(QxEventKind v);
std::string ToString(QxEdition v);
std::string ToString(QxUserType v);
std::string ToString(QxResult v);
std::string ToString(QxClickType v);
std::string ToString(QxIoType v);
std::string ToString(QxCurrency v);
std::string ToString(QxPaidPlatform v);
std::string ToString(QxIapType v);
std::string ToString(QxUpdateOp v);
std::string ToString(QxUpdateResult v);

}  // namespace telemetry
}  // namespace korvel
