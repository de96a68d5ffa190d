#pragma once
// The typed business events the tracker turns into analytics records.
// Optional numbers are shared pointers: absent means no property.
#include <memory>
#include <string>

#include "source/src/QxEnums.h"

namespace korvel {
namespace telemetry {

template <typename T>
using Optional = std::shared_ptr<T>;
template <typename T>
Optional<T> Some(T value) { return std::make_shared<T>(value); }

struct QxEventClick {
  std::string aname, name;
  QxClickType clickType = QxClickType::Button;
  std::string title, module, position;
  Optional<int> tabIndex;
  std::string tabName;
  Optional<int> bannerIndex;
  std::string bannerName;
};

struct QxEventView {
  std::string aname, name, title, position;
};

struct QxEventCashier {
  std::string cashierName, cashierTitle, subitem;
};

struct QxEventShare {
  std::string aname, channel, position, sharedName;
  Optional<QxResult> result;
};

struct QxEventTask {
  std::string aname, name, reason;
  Optional<float> elapsed;
  Optional<QxResult> result;
};

struct QxEventFile {
  std::string aname, name;
  Optional<QxIoType> io;
  std::string ext;
  Optional<float> size;
  Optional<int> duration;
  Optional<float> fps, bps;
  Optional<int> width, height, depth;
  Optional<QxResult> result;
};

struct QxEventOrder {
  std::string orderId, subitem, sku, suitId;
  Optional<QxCurrency> currency;
  float originalAmount = 0;
  std::string voucherId;
  float paidAmount = 0;
  std::string cashierName, cashierTitle;
  Optional<int> campaignCode;
  float curOriginalAmount = 0, curPaidAmount = 0;
};

struct QxEventPayment {
  std::string orderId, subitem, sku;
  QxCurrency currency = QxCurrency::CNY;
  float originalAmount = 0;
  Optional<int> campaignCode;
  std::string voucherId, usedVoucherId;
  float paidAmount = 0;
  std::string suitId, cashierName, cashierTitle;
  QxPaidPlatform paidPlatform = QxPaidPlatform::Alipay;
  Optional<QxResult> result;
  Optional<QxIapType> iapType;
  float curOriginalAmount = 0, curPaidAmount = 0;
};

struct QxEventUpdate {
  QxUpdateOp op = QxUpdateOp::UpdateCheck;
  Optional<QxUpdateResult> result;
  Optional<float> elapsed;
};

struct QxEventAppOpenNotification {
  std::string msgTitle, msgContent, linkUrl, planId, audienceId, planStrategyId, planType, strategyUnitId;
};

struct QxUser {
  std::string userId;
  QxUserType userType = QxUserType::unknown;
  int vipLevel = 0;
};

}  // namespace telemetry
}  // namespace korvel
