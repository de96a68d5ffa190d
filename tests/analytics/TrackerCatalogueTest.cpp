// Event catalogue: validation messages and the properties of sent records,
// read from the core's queue (the endpoint refuses, nothing leaves).
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "source/src/QxException.h"
#include "source/src/TelemetryTrackerImpl.h"
#include "source/src/sdk/Sdk.h"

using namespace korvel::telemetry;

namespace {

class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    TrackerConfig config;
    config.appName = "CatalogueTest.app";
    config.appVersion = "2.0";
    config.appStore = "store";
    // A fresh endpoint each run: the stored identity logs out and returns to
    // the primary id, so every run starts logged out.
    config.serverUrl = "http://127.0.0.1:9/?run=" + std::to_string(GetTickCount64());
    tracker_ = std::make_unique<TelemetryTrackerImpl>(config);
    tracker_->init();
    ASSERT_TRUE(telemetry_core::Sdk::IsReady());
    base_ = telemetry_core::Sdk::QueueSize();  // staged records of earlier runs
  }
  void TearDown() override {
    std::string staging = tracker_->state().stagingPath;
    testing::internal::CaptureStderr();
    tracker_.reset();
    testing::internal::GetCapturedStderr();
    DeleteFileA(staging.c_str());  // this test's unsent records are not wanted next run
  }
  std::string Last() { return telemetry_core::Sdk::Consumer()->QueueSnapshot().back(); }
  size_t Added() { return telemetry_core::Sdk::QueueSize() - base_; }
  static std::string MessageOf(const std::function<void()>& call) {
    try {
      call();
    } catch (const QxException& e) {
      return e.what();
    }
    return "<no exception>";
  }

  std::unique_ptr<TelemetryTrackerImpl> tracker_;
  size_t base_ = 0;
};

TEST_F(Catalogue, ClickInstallCarriesItsPropertiesAndPresets) {
  QxEventClick click;
  click.name = "Install";
  tracker_->trackClick(click, QxContextProperties());
  ASSERT_EQ(Added(), 1u);
  std::string r = Last();
  EXPECT_NE(r.find("\"$is_first_time\":true"), std::string::npos) << r;
  EXPECT_NE(r.find("\"qx_click_type\":\"Button\""), std::string::npos);
  EXPECT_NE(r.find("\"qx_name\":\"Install\""), std::string::npos);
  EXPECT_NE(r.find("\"qx_sdk\":\"WindowsCPP\""), std::string::npos);
  EXPECT_NE(r.find("\"event\":\"QxEventClick\""), std::string::npos);
  EXPECT_EQ(tracker_->state().pendingCount.load(), 1);
}

TEST_F(Catalogue, ExtraOfTheKindReplacesTheClickName) {
  QxContextProperties extras;
  extras.setProperty({Click}, "B1");
  QxEventClick click;
  click.name = "Install";
  tracker_->trackClick(click, extras);
  EXPECT_NE(Last().find("\"qxc_ab\":\"B1\""), std::string::npos) << Last();
  QxEventView view;
  view.name = "page";
  tracker_->trackView(view, extras);  // registered for clicks only
  EXPECT_EQ(Last().find("qxc_ab"), std::string::npos) << Last();
}

TEST_F(Catalogue, TaskWithUnknownResultLeavesTheResultOut) {
  QxEventTask task;
  task.name = "t";
  task.result = Some(QxResult::Unknown);
  task.elapsed = Some(0.0f);
  tracker_->trackTask(task, QxContextProperties());
  EXPECT_EQ(Last().find("qx_task_result"), std::string::npos) << Last();
  EXPECT_NE(Last().find("\"qx_task_elapsed\":0"), std::string::npos);
}

TEST_F(Catalogue, ValidationMessagesRecordNothing) {
  QxEventOrder order;
  order.suitId = "s";
  order.currency = Some(QxCurrency::CNY);
  order.originalAmount = 5;
  order.paidAmount = 0;
  QxEventUpdate update;
  update.op = QxUpdateOp::DownloadEnd;
  update.result = Some(QxUpdateResult::Success);
  QxEventPayment payment;
  payment.orderId = "o";
  payment.paidAmount = -1.5f;
  EXPECT_EQ(MessageOf([&] { tracker_->trackOrder(order, QxContextProperties()); }),
            "qxEventOrder.originalAmount is less than zero");
  EXPECT_EQ(MessageOf([&] { tracker_->trackUpdate(update, QxContextProperties()); }), "invalid elapsed info");
  EXPECT_EQ(MessageOf([&] { tracker_->trackPayment(payment, QxContextProperties()); }),
            "paidAmount = -1.500000 is invalid");
  EXPECT_EQ(MessageOf([&] { tracker_->trackView(QxEventView(), QxContextProperties()); }),
            "qxEventView.name is empty");
  EXPECT_EQ(MessageOf([&] { tracker_->trackAppOpenNotification(nullptr, QxContextProperties()); }),
            "&appOpenNotification is nullptr");
  EXPECT_EQ(Added(), 0u);
}

TEST_F(Catalogue, FileSizeZeroIsLeftOutAndIoIsNamed) {
  QxEventFile file;
  file.aname = "convert";
  file.size = Some(0.0f);
  file.io = Some(QxIoType::Output);
  tracker_->trackFile(file, QxContextProperties());
  std::string r = Last();
  EXPECT_EQ(r.find("qx_size"), std::string::npos) << r;
  EXPECT_NE(r.find("\"qx_io\":\"Output\""), std::string::npos);
  EXPECT_NE(r.find("\"qx_aname\":\"convert\""), std::string::npos);
}

TEST_F(Catalogue, FirstLoginSignsUpAndSwitchesTheDistinctId) {
  QxUser user;
  user.userId = "u-42";
  user.userType = QxUserType::email;
  testing::internal::CaptureStderr();
  tracker_->trackLogin(user, true, "", QxContextProperties());  // flush now: fails against the dead endpoint
  testing::internal::GetCapturedStderr();
  auto q = telemetry_core::Sdk::Consumer()->QueueSnapshot();
  ASSERT_GE(q.size(), 2u);
  std::string login = q[q.size() - 2], signup = q.back();
  EXPECT_NE(login.find("\"event\":\"QxEventLogin\""), std::string::npos) << login;
  EXPECT_NE(login.find("\"qx_type\":\"email\""), std::string::npos);
  EXPECT_NE(signup.find("\"event\":\"$SignUp\""), std::string::npos) << signup;
  EXPECT_NE(signup.find("\"distinct_id\":\"u-42\""), std::string::npos);
  EXPECT_TRUE(tracker_->state().isLogined);
  EXPECT_EQ(tracker_->state().DistinctId, "u-42");
}

}  // namespace
