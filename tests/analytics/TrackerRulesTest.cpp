// Facade rules: A/B values, context properties, profile policies, enum texts,
#include <algorithm>
// OS naming and user agents, init validation and the wrapper's guard.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "source/src/ProfileProperties.h"
#include "source/src/QxContextProperties.h"
#include "source/src/QxException.h"
#include "source/src/TelemetryTrackerWrapper.h"
#include "source/src/TrackerOs.h"
#include "source/src/TrackerState.h"
#include "source/src/sdk/Sdk.h"

using namespace korvel::telemetry;

namespace {

std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const QxException& e) {
    return e.what();
  }
  return "<no exception>";
}

TEST(ABValue, AcceptsAndRejects) {
  EXPECT_FALSE(QxContextProperties::isValidABValue(""));
  EXPECT_TRUE(QxContextProperties::isValidABValue("IN"));
  EXPECT_TRUE(QxContextProperties::isValidABValue("A1"));
  EXPECT_TRUE(QxContextProperties::isValidABValue("A01"));
  EXPECT_EQ(MessageOf([] { QxContextProperties::isValidABValue("a"); }), "First char is not in A to Z");
  EXPECT_EQ(MessageOf([] { QxContextProperties::isValidABValue("I-"); }), "second char is not in A to Z and 0 to 9");
  EXPECT_EQ(MessageOf([] { QxContextProperties::isValidABValue("AB-"); }), "third char is not in A to Z and 0 to 9");
  EXPECT_EQ(MessageOf([] { QxContextProperties::isValidABValue("ABCD"); }), "value's length is great than 3.");
}

TEST(ContextProperties, SetPropertyOnceAndKindOverflow) {
  QxContextProperties twice;
  twice.setProperty({3}, "IN");
  EXPECT_EQ(MessageOf([&] { twice.setProperty({4}, "IN"); }), "Property[qxc_ab] already exist!");
  QxContextProperties overflow;
  EXPECT_EQ(MessageOf([&] { overflow.setProperty({3, 15}, "IN"); }), "QxEvent[15] overflow!");
  ASSERT_EQ(overflow.getEventProperties(3).size(), 1u);
  EXPECT_EQ(overflow.getEventProperties(3)[0].key, "qxc_ab");
  EXPECT_EQ(MessageOf([&] { overflow.getEventProperties(15); }), "QxEvent[15] overflow!");
  telemetry_core::PropertiesNode p;
  p.SetString("qxc_ab", "old");
  overflow.ApplyTo(3, p);
  EXPECT_EQ(p.Find("qxc_ab")->text, "IN");
}

TEST(ProfilePolicy, RefusedKeys) {
  EXPECT_EQ(PolicyOf("qx_first_paid_date"), ProfilePolicy::SetOnce);
  EXPECT_EQ(PolicyOf("qx_consumption"), ProfilePolicy::Increment);
  EXPECT_EQ(PolicyOf("qx_last_paid_date"), ProfilePolicy::Set);
  EXPECT_EQ(PolicyOf("nothing"), ProfilePolicy::None);
  EXPECT_EQ(MessageOf([] { ProfileUserPropertyString("qx_paid_count", "x", "t"); }),
            "user property [qx_paid_count] is string type value, it cannot be accumulated!");
  EXPECT_EQ(MessageOf([] { ProfileUserPropertyString("unknown_key", "x", "t"); }),
            "Not supported user property [unknown_key]!");
  EXPECT_EQ(MessageOf([] { ProfileUserPropertyDateTime("qx_visit_count", 1, "t"); }),
            "user property [qx_visit_count] is boolean value, it cannot be accumulative!");
  EXPECT_EQ(MessageOf([] { ProfileUserPropertyNumber("nope", static_cast<int32_t>(1), "t"); }),
            "Not supported user property [nope]!");
}

TEST(ProfilePolicy, DateTimeSecondsAndMilliseconds) {
  ASSERT_TRUE(telemetry_core::Sdk::Init("", "http://127.0.0.1:9/", "dev", false));
  ProfileUserPropertyDateTime("qx_first_visit_date", 1700000000, "t");
  ProfileUserPropertyDateTime("qx_first_visit_date", 1700000000123LL, "t");
  auto q = telemetry_core::Sdk::Consumer()->QueueSnapshot();
  telemetry_core::Sdk::Shutdown();
  ASSERT_EQ(q.size(), 2u);
  EXPECT_NE(q[0].find(".000\"}"), std::string::npos) << q[0];
  EXPECT_NE(q[1].find(".123\"}"), std::string::npos) << q[1];
  EXPECT_NE(q[1].find("\"type\":\"profile_set_once\""), std::string::npos);
  EXPECT_EQ(q[0].substr(q[0].find("\"properties\""), 50), q[1].substr(q[1].find("\"properties\""), 50));
}

TEST(EnumTexts, ValuesAndMessages) {
  EXPECT_EQ(ToString(Click), "Click");
  EXPECT_EQ(ToString(QxIapType::Consumable), "Consumable");
  EXPECT_EQ(MessageOf([] { ToString(static_cast<QxIapType>(0)); }), "Unknown qxIapType [0]!");
  EXPECT_EQ(MessageOf([] { ToString(static_cast<QxUpdateOp>(5)); }), "Unknown QxUpdateOp [5]!");
  EXPECT_EQ(MessageOf([] { ToString(static_cast<QxIoType>(2)); }), "the io type is invalid");
  EXPECT_EQ(MessageOf([] { ToString(static_cast<QxEventKind>(15)); }), "Unknown Event [15]!");
}

struct OsCase {
  bool known;
  unsigned major, minor, build;
  bool is64, r2;
  const char* text;
};

TEST(TrackerOs, VersionTextsAndUserAgents) {
  const OsCase cases[] = {
      {true, 5, 0, 2195, false, false, "2K"},     {true, 5, 1, 2600, false, false, "XP"},
      {true, 5, 2, 3790, true, false, "XP64"},    {true, 5, 2, 3790, false, true, "Server 2003 R2"},
      {true, 5, 2, 3790, false, false, "Server 2003"}, {true, 5, 3, 0, false, false, "XP+"},
      {true, 6, 0, 6002, true, false, "Vista64"}, {true, 6, 0, 6002, false, false, "Vista"},
      {true, 6, 1, 7601, true, false, "7"},       {true, 6, 1, 7601, false, false, "7-32"},
      {true, 6, 2, 9200, false, false, "8-32"},   {true, 6, 3, 9600, true, false, "8.1"},
      {true, 6, 4, 0, true, false, "8.1+"},       {true, 10, 0, 19045, true, false, "10"},
      {true, 10, 0, 22000, true, false, "11"},    {true, 10, 1, 0, true, false, "11+"},
      {true, 12, 3, 45, true, false, "12.3.45"},  {true, 4, 0, 1381, false, false, "XP-"},
      {false, 0, 0, 0, true, false, "XP-"},
  };
  for (const auto& c : cases) {
    NtVersion v;
    v.known = c.known;
    v.major = c.major;
    v.minor = c.minor;
    v.build = c.build;
    EXPECT_EQ(TrackerOsVersionText(v, c.is64, c.r2), c.text) << c.major << "." << c.minor << "." << c.build;
  }
  EXPECT_EQ(TrackerUserAgentText("10", true), "Mozilla/5.0(Windows 10; Win64;)");
  EXPECT_EQ(TrackerUserAgentText("7-32", false), "Mozilla/5.0(Windows 7-32; Win32;)");
}

TEST(DistinctId, FallbackShape) {
  std::string id = PseudoRandomDistinctId();
  EXPECT_EQ(std::count(id.begin(), id.end(), '-'), 4);
  EXPECT_NE(id, PseudoRandomDistinctId());
  EXPECT_EQ(NewDistinctId().size(), 36u);
}

TEST(TrackerInit, EmptyAppStoreRaisesAndLeavesTheTrackerInert) {
  TrackerConfig config;
  config.appName = "RulesTest.app";
  config.appVersion = "1.0";
  config.serverUrl = "http://127.0.0.1:9/";
  auto impl = std::make_unique<TelemetryTrackerImpl>(config);
  EXPECT_EQ(MessageOf([&] { impl->init(); }), "appStore is empty");
  EXPECT_FALSE(telemetry_core::Sdk::IsReady());
  TelemetryTrackerWrapper wrapper(std::move(impl));
  QxEventClick click;
  click.name = "Install";
  wrapper.trackClick(click, QxContextProperties());
  EXPECT_EQ(telemetry_core::Sdk::QueueSize(), 0u);
}

TEST(TrackerWrapper, EmptyClickNamePrintsFailureAndRecordsNothing) {
  TrackerConfig config;
  config.appName = "RulesTest.app";
  config.appVersion = "1.0";
  config.appStore = "test";
  config.serverUrl = "http://127.0.0.1:9/";
  auto impl = std::make_unique<TelemetryTrackerImpl>(config);
  impl->init();
  ASSERT_TRUE(telemetry_core::Sdk::IsReady());
  size_t before = telemetry_core::Sdk::QueueSize();
  TelemetryTrackerWrapper wrapper(std::move(impl));
  testing::internal::CaptureStdout();
  wrapper.trackClick(QxEventClick(), QxContextProperties());
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "Failed to trackClick\n");
  EXPECT_EQ(telemetry_core::Sdk::QueueSize(), before);
}

}  // namespace
