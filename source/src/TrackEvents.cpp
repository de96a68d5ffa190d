// The fifteen tracking operations: validate, build the properties, record,
// then flush now or leave the records for the next flush point.
#include <chrono>
#include <cstdio>

#include "source/src/ProfileProperties.h"
#include "source/src/QxException.h"
#include "source/src/TelemetryTrackerImpl.h"
#include "source/src/TrackerOs.h"
#include "source/src/Utf8Text.h"
#include "source/src/sdk/Sdk.h"
#include "source/src/sdk/TrackId.h"

namespace korvel {
namespace telemetry {

using telemetry_core::PropertiesNode;
using telemetry_core::Sdk;

namespace {
std::string Fixed6(float v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%f", static_cast<double>(v));
  return buf;
}
bool IsTaskResult(QxResult r) { return static_cast<int>(r) >= 0 && static_cast<int>(r) <= 2; }
}  // namespace

void TelemetryTrackerImpl::VisitProfileUpdates(const char* function) {
  int64_t now = telemetry_core::NowMilliseconds();
  ProfileUserPropertyDateTime("$first_visit_time", now, function);
  ProfileUserPropertyDateTime("qx_first_visit_date", now, function);
  ProfileUserPropertyDateTime("qx_last_visit_date", now, function);
}

void TelemetryTrackerImpl::trackActivity(const QxContextProperties& extras) {
  PropertiesNode p;
  extras.ApplyTo(Activity, p);
  SetText(p, "qx_app_store", config_.appStore);
  SetText(p, "qx_app_id", config_.appName);
  SetText(p, "$app_id", config_.appName);
  SetText(p, "$app_version", config_.appVersion);
  p.SetString("$ios_install_source", "android_id=123##imei=1234##mac=123");
  SetText(p, "$user_agent", TrackerUserAgent());
  p.SetBool("$is_first_time", true);
  p.SetString("$os", TrackerOsName());
  p.SetString("$os_version", TrackerOsVersion());
  Sdk::TrackInstall("QxEventActivity", p);
  VisitProfileUpdates("trackActivity");
  ProfileUserPropertyString("qx_os", TrackerOsName(), "trackActivity");
  ProfileUserPropertyString("qx_os_version", TrackerOsVersion(), "trackActivity");
  ProfileUserPropertyString("qx_app_store", config_.appStore, "trackActivity");
  ProfileUserPropertyString("qx_app_platform", "Windows", "trackActivity");
  ProfileUserPropertyString("qx_last_app_id", config_.appName, "trackActivity");
  ProfileUserPropertyString("qx_last_app_version", config_.appVersion, "trackActivity");
  ProfileUserPropertyString("$ios_install_source", "android_id=123##imei=1234##mac=123", "trackActivity");
  FlushLater(9);
  FlushPending();
}

void TelemetryTrackerImpl::trackLaunch(const QxContextProperties& extras) {
  PropertiesNode p;
  extras.ApplyTo(PaLaunchPal, p);
  Sdk::Track("QxEventLaunch", p);
  if (!state_->UserId.empty()) {
    VisitProfileUpdates("trackLaunch");
    FlushLater(4);
  }
  FlushPending();
}

void TelemetryTrackerImpl::trackLogin(const QxUser& user, bool success, const std::string& reason,
                                      const QxContextProperties& extras) {
  std::string userId = EnsureUtf8(user.userId);
  PropertiesNode p;
  SetText(p, "qx_user_id", userId);
  SetText(p, "qx_login_id", userId);
  p.SetString("qx_type", ToString(user.userType));
  p.SetString("qx_result", success ? "Success" : "Fail");
  SetText(p, "qx_reason", reason);
  if (userId.empty()) {
    extras.ApplyTo(Login, p);
    Sdk::Track("QxEventLogin", p);
    FlushPending();
    return;
  }
  p.SetBool("$is_first_time", true);
  extras.ApplyTo(Login, p);
  Sdk::Track("QxEventLogin", p);
  state_->UserVipLevel = user.vipLevel;
  if (!state_->isLogined || state_->UserId.empty()) {
    Sdk::Login(userId);
    state_->isLogined = true;
    state_->UserId = userId;
    state_->DistinctId = userId;
    Sdk::SetDistinctId(userId, true);
    PropertiesNode super;
    super.SetString("qx_user_id", userId);
    Sdk::RegisterSuperProperties(super);
  }
  state_->SaveIdentity();
  FlushPending();
}

void TelemetryTrackerImpl::trackClick(const QxEventClick& e, const QxContextProperties& extras) {
  if (e.name.empty()) QX_THROW("trackClick", "qxEventClick.name is empty");
  std::string clickType = ToString(e.clickType);
  PropertiesNode p;
  SetText(p, "qx_name", e.name);
  p.SetString("qx_click_type", clickType);
  SetText(p, "qx_aname", e.aname);
  SetText(p, "qx_title", e.title);
  SetText(p, "qx_position", e.position);
  SetText(p, "qx_module", e.module);
  SetText(p, "qx_tab_name", e.tabName);
  if (e.tabIndex) p.SetNumber("qx_tab_index", static_cast<int32_t>(*e.tabIndex));
  SetText(p, "qx_banner_name", e.bannerName);
  if (e.bannerIndex) p.SetNumber("qx_banner_index", static_cast<int32_t>(*e.bannerIndex));
  p.SetBool("$is_first_time", true);
  extras.ApplyTo(Click, p);
  Sdk::Track("QxEventClick", p);
  FlushLater();
}

void TelemetryTrackerImpl::trackView(const QxEventView& e, const QxContextProperties& extras) {
  if (e.name.empty()) QX_THROW("trackView", "qxEventView.name is empty");
  PropertiesNode p;
  SetText(p, "qx_name", e.name);
  SetText(p, "qx_aname", e.aname);
  SetText(p, "qx_title", e.title);
  SetText(p, "qx_position", e.position);
  p.SetBool("$is_first_time", true);
  extras.ApplyTo(View, p);
  Sdk::Track("QxEventView", p);
  FlushLater();
}

void TelemetryTrackerImpl::trackCashier(const QxEventCashier& e, const QxContextProperties& extras) {
  if (e.cashierName.empty()) QX_THROW("trackCashier", "qxEventCashier.qx_cashier_name is empty");
  PropertiesNode p;
  SetText(p, "qx_cashier_name", e.cashierName);
  SetText(p, "qx_cashier_title", e.cashierTitle);
  SetText(p, "qx_subitem", e.subitem);
  p.SetBool("$is_first_time", true);
  extras.ApplyTo(Cashier, p);
  Sdk::Track("QxEventCashier", p);
  FlushLater();
}

void TelemetryTrackerImpl::trackShare(const QxEventShare& e, const QxContextProperties& extras) {
  std::string result = e.result ? ToString(*e.result) : std::string();
  PropertiesNode p;
  SetText(p, "qx_aname", e.aname);
  SetText(p, "qx_channel", e.channel);
  SetText(p, "qx_position", e.position);
  SetText(p, "qx_shared_name", e.sharedName);
  if (!result.empty()) p.SetString("qx_result", result);
  p.SetBool("$is_first_time", true);
  extras.ApplyTo(Share, p);
  Sdk::Track("QxEventShare", p);
  FlushLater();
}

void TelemetryTrackerImpl::trackTask(const QxEventTask& e, const QxContextProperties& extras) {
  if (e.name.empty()) QX_THROW("trackTask", "qxEventTask.name is empty");
  PropertiesNode p;
  SetText(p, "qx_task_name", e.name);
  if (e.elapsed) p.SetNumber("qx_task_elapsed", static_cast<double>(*e.elapsed));
  if (e.result && IsTaskResult(*e.result)) p.SetString("qx_task_result", ToString(*e.result));
  SetText(p, "qx_aname", e.aname);
  SetText(p, "qx_reason", e.reason);
  p.SetBool("$is_first_time", true);
  extras.ApplyTo(Task, p);
  Sdk::Track("QxEventTask", p);
  FlushLater();
}

void TelemetryTrackerImpl::trackFile(const QxEventFile& e, const QxContextProperties& extras) {
  if (e.aname.empty()) QX_THROW("trackFile", "qxEventFile.aname is empty");
  PropertiesNode p;
  SetText(p, "qx_aname", e.aname);
  if (e.io) p.SetString("qx_io", ToString(*e.io));
  if (e.result && IsTaskResult(*e.result)) p.SetString("qx_result", ToString(*e.result));
  SetText(p, "qx_name", e.name);
  SetText(p, "qx_ext", e.ext);
  if (e.size && *e.size > 0) p.SetNumber("qx_size", static_cast<double>(*e.size));
  if (e.duration) p.SetNumber("qx_duration", static_cast<int32_t>(*e.duration));
  if (e.fps) p.SetNumber("qx_fps", static_cast<double>(*e.fps));
  if (e.bps) p.SetNumber("qx_bps", static_cast<double>(*e.bps));
  if (e.width) p.SetNumber("qx_width", static_cast<int32_t>(*e.width));
  if (e.height) p.SetNumber("qx_height", static_cast<int32_t>(*e.height));
  if (e.depth) p.SetNumber("qx_depth", static_cast<int32_t>(*e.depth));
  p.SetBool("$is_first_time", true);
  extras.ApplyTo(File, p);
  Sdk::Track("QxEventFile", p);
  FlushLater();
}

void TelemetryTrackerImpl::trackOrder(const QxEventOrder& e, const QxContextProperties& extras) {
  if (e.suitId.empty()) QX_THROW("trackOrder", "qxEventOrder.qxSuitId is empty");
  if (!e.currency) QX_THROW("trackOrder", "qxEventOrder.qxCurrency is nullptr");
  if (e.originalAmount <= 0) QX_THROW("trackOrder", "qxEventOrder.originalAmount is less than zero");
  if (e.paidAmount <= 0) QX_THROW("trackOrder", "qxEventOrder.originalAmount is less than zero");
  std::string currency = ToString(*e.currency);
  PropertiesNode p;
  SetText(p, "qx_suit_id", e.suitId);
  p.SetString("qx_currency", currency);
  p.SetNumber("qx_paid_amount", static_cast<double>(e.paidAmount));
  p.SetNumber("qx_original_amount", static_cast<double>(e.originalAmount));
  p.SetBool("$is_first_time", true);
  SetText(p, "qx_order_id", e.orderId);
  SetText(p, "qx_subitem", e.subitem);
  SetText(p, "qx_sku", e.sku);
  if (e.campaignCode) p.SetNumber("qx_campaign_code", static_cast<int32_t>(*e.campaignCode));
  SetText(p, "qx_voucher_id", e.voucherId);
  if (e.curOriginalAmount > 0) p.SetNumber("qx_cur_original_amount", static_cast<double>(e.curOriginalAmount));
  if (e.curPaidAmount > 0) p.SetNumber("qx_cur_paid_amount", static_cast<double>(e.curPaidAmount));
  SetText(p, "qx_cashier_name", e.cashierName);
  SetText(p, "qx_cashier_title", e.cashierTitle);
  extras.ApplyTo(Order, p);
  Sdk::Track("QxEventOrder", p);
  FlushLater();
}

void TelemetryTrackerImpl::trackPayment(const QxEventPayment& e, const QxContextProperties& extras) {
  if (e.orderId.empty()) QX_THROW("trackPayment", "qxEventPayment.qxOrderId is empty");
  if (e.paidAmount < 0) QX_THROW("trackPayment", "paidAmount = " + Fixed6(e.paidAmount) + " is invalid");
  if (e.originalAmount < 0) QX_THROW("trackPayment", "originalAmount = " + Fixed6(e.originalAmount) + " is invalid");
  if (!e.result || (*e.result != QxResult::Success && *e.result != QxResult::Fail))
    QX_THROW("trackPayment", "qxEventPayment.result is invalid");
  std::string platform = ToString(e.paidPlatform);
  std::string currency = ToString(e.currency);
  std::string iap = e.iapType ? ToString(*e.iapType) : std::string();
  PropertiesNode p;
  SetText(p, "qx_order_id", e.orderId);
  p.SetString("qx_paid_platform", platform);
  p.SetString("qx_currency", currency);
  p.SetNumber("qx_paid_amount", static_cast<double>(e.paidAmount));
  p.SetNumber("qx_original_amount", static_cast<double>(e.originalAmount));
  p.SetString("qx_result", ToString(*e.result));
  p.SetBool("$is_first_time", true);
  SetText(p, "qx_suit_id", e.suitId);
  if (!iap.empty()) p.SetString("qx_iap_type", iap);
  SetText(p, "qx_subitem", e.subitem);
  SetText(p, "qx_sku", e.sku);
  SetText(p, "qx_voucher_id", e.voucherId);
  SetText(p, "qx_used_voucher_id", e.usedVoucherId);
  if (e.campaignCode) p.SetNumber("qx_campaign_code", static_cast<int32_t>(*e.campaignCode));
  if (e.curOriginalAmount > 0) p.SetNumber("qx_cur_original_amount", static_cast<double>(e.curOriginalAmount));
  if (e.curPaidAmount > 0) p.SetNumber("qx_cur_paid_amount", static_cast<double>(e.curPaidAmount));
  SetText(p, "qx_cashier_name", e.cashierName);
  SetText(p, "qx_cashier_title", e.cashierTitle);
  extras.ApplyTo(Payment, p);
  Sdk::Track("QxEventPayment", p);
  int64_t now = telemetry_core::NowMilliseconds();
  ProfileUserPropertyNumber("qx_paid_count", static_cast<int32_t>(1), "trackPayment");
  ProfileUserPropertyNumber("qx_consumption", static_cast<double>(e.paidAmount), "trackPayment");
  ProfileUserPropertyDateTime("qx_first_paid_date", now, "trackPayment");
  ProfileUserPropertyDateTime("qx_last_paid_date", now, "trackPayment");
  FlushLater(4);
  if (*e.result == QxResult::Success) {
    state_->UserVipLevel = 1;
    state_->SaveIdentity();
  }
  FlushPending();
}

void TelemetryTrackerImpl::trackUninstall(const std::string& reason, const QxContextProperties& extras) {
  PropertiesNode p;
  SetText(p, "qx_uninstall_reason", reason);
  extras.ApplyTo(Uninstall, p);
  Sdk::Track("QxEventUninstall", p);
  FlushPending();
}

void TelemetryTrackerImpl::trackCrash(const std::string& reason) {
  PropertiesNode p;
  SetText(p, "app_crashed_reason", reason);
  Sdk::Track("AppCrashed", p);
  FlushPending();
}

void TelemetryTrackerImpl::trackUpdate(const QxEventUpdate& e, const QxContextProperties& extras) {
  std::string op = ToString(e.op);
  std::string result = e.result ? ToString(*e.result) : std::string();
  PropertiesNode p;
  p.SetString("qx_update_op", op);
  switch (e.op) {
    case QxUpdateOp::UpdateCheck: p.SetString("qx_update_result", result); break;
    case QxUpdateOp::DownloadEnd:
    case QxUpdateOp::UpgrateEnd:
      if (!e.result) QX_THROW("trackUpdate", "Unknown updateResultInfo info");
      p.SetString("qx_update_result", result);
      if (!e.elapsed) QX_THROW("trackUpdate", "invalid elapsed info");
      p.SetNumber("qx_elapsed", static_cast<double>(*e.elapsed));
      if (e.op == QxUpdateOp::UpgrateEnd) p.SetBool("$is_first_time", true);
      break;
    default: break;
  }
  extras.ApplyTo(Update, p);
  Sdk::Track("QxEventUpdate", p);
  FlushPending();
}

void TelemetryTrackerImpl::trackAppOpenNotification(const QxEventAppOpenNotification* e,
                                                    const QxContextProperties& extras) {
  if (!e) QX_THROW("trackAppOpenNotification", "&appOpenNotification is nullptr");
  if (e->planId.empty()) QX_THROW("trackAppOpenNotification", "planID is emptry");
  if (e->planType.empty()) QX_THROW("trackAppOpenNotification", "planType is emptry");
  if (e->msgTitle.empty()) QX_THROW("trackAppOpenNotification", "msgTitle is emptry");
  PropertiesNode p;
  SetText(p, "$sf_msg_title", e->msgTitle);
  SetText(p, "$sf_plan_id", e->planId);
  SetText(p, "$sf_plan_type", e->planType);
  p.SetBool("$is_first_time", true);
  SetText(p, "$sf_msg_content", e->msgContent);
  SetText(p, "$sf_link_url", e->linkUrl);
  SetText(p, "$sf_audience_id", e->audienceId);
  SetText(p, "$sf_plan_strategy_id", e->planStrategyId);
  SetText(p, "$sf_strategy_unit_id", e->strategyUnitId);
  extras.ApplyTo(AppOpenNotification, p);
  Sdk::Track("AppOpenNotification", p);
  FlushLater();
}

}  // namespace telemetry
}  // namespace korvel
