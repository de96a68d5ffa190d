// Records as the core writes them, compared as exact JSON text, and the
// validation rules for names, ids and string values.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "source/src/sdk/NameRules.h"
#include "source/src/sdk/ObjectNode.h"
#include "source/src/sdk/Sdk.h"
#include "source/src/sdk/TrackId.h"

using namespace telemetry_core;

namespace {

// A core whose endpoint refuses connections; nothing is flushed in these tests.
class CoreRecords : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Sdk::Init("", "http://127.0.0.1:9/", "device-1", false)); }
  void TearDown() override { Sdk::Shutdown(); }

  std::vector<std::string> Records() { return Sdk::Consumer()->QueueSnapshot(); }

  // The record with its random "_track_id" and clock "time" replaced by fixed marks.
  static std::string Stable(const std::string& record) {
    std::string s = std::regex_replace(record, std::regex("\"_track_id\":[0-9]+"), "\"_track_id\":ID");
    return std::regex_replace(s, std::regex("\"time\":[0-9]+"), "\"time\":T");
  }
};

const char kLib[] = "\"lib\":{\"$lib\":\"cpp\",\"$lib_method\":\"code\",\"$lib_version\":\"0.9\"}";
const char kSuper[] = "\"$lib\":\"cpp\",\"$lib_version\":\"0.9\"";

TEST_F(CoreRecords, TrackRecordCarriesSuperPropertiesAndSortedKeys) {
  PropertiesNode p;
  p.SetString("qx_name", "Install");
  p.SetString("qx_click_type", "Button");
  p.SetBool("$is_first_time", true);
  Sdk::Track("QxEventClick", p);
  ASSERT_EQ(Records().size(), 1u);
  EXPECT_EQ(Stable(Records()[0]),
            std::string("{\"_track_id\":ID,\"distinct_id\":\"device-1\",\"event\":\"QxEventClick\",") + kLib +
                ",\"properties\":{\"$is_first_time\":true," + kSuper +
                ",\"qx_click_type\":\"Button\",\"qx_name\":\"Install\"},\"time\":T,\"type\":\"track\"}");
}

TEST_F(CoreRecords, EmptyPropertySetStillWritesProperties) {
  Sdk::ClearSuperProperties();
  Sdk::RegisterSuperProperties(PropertiesNode());
  Sdk::ProfileSet(PropertiesNode());
  ASSERT_EQ(Records().size(), 1u);
  EXPECT_EQ(Stable(Records()[0]), std::string("{\"_track_id\":ID,\"distinct_id\":\"device-1\",") + kLib +
                                      ",\"properties\":{},\"time\":T,\"type\":\"profile_set\"}");
}

TEST_F(CoreRecords, TimeAsDateTimeMovesIntoRecordTime) {
  PropertiesNode p;
  p.SetDateTime("$time", 1700000000, 123);
  Sdk::Track("Opened", p);
  ASSERT_EQ(Records().size(), 1u);
  EXPECT_NE(Records()[0].find("\"time\":1700000000123,"), std::string::npos) << Records()[0];
  EXPECT_EQ(Records()[0].find("$time"), std::string::npos);
}

TEST_F(CoreRecords, TimeAsStringDropsTheRecord) {
  PropertiesNode p;
  p.SetString("$time", "2024-01-01");
  testing::internal::CaptureStderr();
  Sdk::Track("Opened", p);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(Records().empty());
  EXPECT_NE(err.find("The property '$time' should be DateTime type."), std::string::npos) << err;
}

TEST_F(CoreRecords, ProjectMovesToTheRecordAndEmptyProjectLeavesNoKey) {
  PropertiesNode named;
  named.SetString("$project", "melodrix");
  Sdk::Track("A", named);
  PropertiesNode empty;
  empty.SetString("$project", "");
  Sdk::Track("B", empty);
  auto r = Records();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_NE(r[0].find(",\"project\":\"melodrix\",\"properties\":{"), std::string::npos) << r[0];
  EXPECT_EQ(r[0].find("$project"), std::string::npos);
  EXPECT_EQ(r[1].find("project"), std::string::npos) << r[1];
}

TEST_F(CoreRecords, SignUpThenLoginIdOnNextRecord) {
  Sdk::Login("user-7");
  Sdk::Track("After");
  auto r = Records();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(Stable(r[0]), std::string("{\"_track_id\":ID,\"distinct_id\":\"user-7\",\"event\":\"$SignUp\",") + kLib +
                              ",\"original_id\":\"device-1\",\"properties\":{" + kSuper +
                              "},\"time\":T,\"type\":\"track_signup\"}");
  EXPECT_EQ(Stable(r[1]), std::string("{\"_track_id\":ID,\"distinct_id\":\"user-7\",\"event\":\"After\",") + kLib +
                              ",\"properties\":{\"$is_login_id\":true," + kSuper + "},\"time\":T,\"type\":\"track\"}");
}

TEST_F(CoreRecords, ProfileRecordsCarryNoSuperProperties) {
  Sdk::ProfileIncrement("qx_paid_count", 1);
  Sdk::ProfileAppend("tags", "a\"b");
  auto r = Records();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_NE(r[0].find("\"properties\":{\"qx_paid_count\":1},"), std::string::npos) << r[0];
  EXPECT_NE(r[1].find("\"properties\":{\"tags\":[\"a\\\"b\"]},\"time\""), std::string::npos) << r[1];
  EXPECT_NE(r[1].find("\"type\":\"profile_append\"}"), std::string::npos);
}

TEST_F(CoreRecords, NumbersDoubleInExponentFormIntegerInFull) {
  PropertiesNode p;
  p.SetNumber("d", 1234567.0);
  p.SetNumber("i", static_cast<int32_t>(1234567));
  p.SetNumber("half", 0.5);
  Sdk::ProfileSet(p);
  ASSERT_EQ(Records().size(), 1u);
  EXPECT_NE(Records()[0].find("\"properties\":{\"d\":1.23457e+06,\"half\":0.5,\"i\":1234567}"), std::string::npos)
      << Records()[0];
}

TEST_F(CoreRecords, InvalidEventNameDropsRecord) {
  testing::internal::CaptureStderr();
  Sdk::Track("9lives");
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(Records().empty());
  EXPECT_NE(err.find("The Event Name need to be a valid variable name."), std::string::npos) << err;
}

TEST(CoreInit, DistinctIdRuleAndOperationsWithoutInstance) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Sdk::Init("", "http://127.0.0.1:9/", "", false));
  EXPECT_FALSE(Sdk::Init("", "http://127.0.0.1:9/", std::string(256, 'x'), false));
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("The Distinct ID is empty."), std::string::npos);
  EXPECT_NE(err.find("The Distinct ID is too long, max length is 255."), std::string::npos);
  EXPECT_FALSE(Sdk::IsReady());
  Sdk::Track("Ignored");  // no instance: nothing happens
  EXPECT_EQ(Sdk::QueueSize(), 0u);
  EXPECT_TRUE(Sdk::Init("", "http://127.0.0.1:9/", std::string(255, 'x'), false));
  Sdk::Shutdown();
}

TEST(JsonWriter, EscapeSetAndDateTimeFormat) {
  EXPECT_EQ(utils::JsonQuote("a\b\t\n\f\r\"\\/\x01z"), "\"a\\b\\t\\n\\f\\r\\\"\\\\/\x01z\"");
  EXPECT_EQ(utils::FormatLocalDateTime(0, 7).size(), 23u);
  EXPECT_TRUE(std::regex_match(utils::FormatLocalDateTime(1700000000, 5),
                               std::regex("20[0-9]{2}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\\.005")));
}

TEST(TrackId, DigitsFromTwoDrawsAndTheClock) {
  EXPECT_EQ(MakeTrackId(0, 0, 1700000001234), 1234);  // "00" + "000" + "1234"
  EXPECT_EQ(MakeTrackId(98, 998, 99999), 989989999);
  EXPECT_EQ(MakeTrackId(150, 2500, 5), 515025);  // 150%99+100=151 -> "51"; 2500%999+1000=1502 -> "502"
}

struct NameCase {
  std::string name;
  bool valid;
  const char* message;
};

TEST(NameRule, Table) {
  const NameCase cases[] = {
      {"Click", true, ""},
      {std::string(100, 'a'), true, ""},
      {std::string(101, 'a'), false, "The Event Name is empty or too long, max length is 100"},
      {"", false, "The Event Name is empty or too long, max length is 100"},
      {"1abc", false, "The Event Name need to be a valid variable name."},
      {"qx-name", false, "The Event Name need to be a valid variable name."},
      {"$SignUp", true, ""},
      {"_a9$", true, ""},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    bool ok = CheckName(c.name, "Event Name");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ok, c.valid) << c.name;
    if (!c.valid) {
      EXPECT_NE(err.find(c.message), std::string::npos) << c.name << ": " << err;
    }
  }
}

TEST(StringProperty, LengthLimitAndUtf8Message) {
  PropertiesNode p;
  EXPECT_TRUE(p.SetString("k", std::string(8192, 'a')));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(p.SetString("long", std::string(8193, 'a')));
  EXPECT_FALSE(p.SetString("ctl", "a\x01"));
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(p.Has("k"));
  EXPECT_FALSE(p.Has("long"));
  EXPECT_FALSE(p.Has("ctl"));
  EXPECT_NE(err.find("String property 'long' is too long, value: aaa"), std::string::npos);
  EXPECT_NE(err.find("String property 'ctl' is not valid UTF-8 string, value: a\x01"), std::string::npos);
}

struct Utf8Case {
  const char* label;
  std::string bytes;
  bool valid;
};

TEST(Utf8Rule, AcceptanceTable) {
  const Utf8Case cases[] = {
      {"plain and tab/lf/cr", "ab c\t\n\r~", true},
      {"0x01", "\x01", false},
      {"0x7F", "\x7F", false},
      {"0x00", std::string(1, '\0'), false},
      {"0x0B", "\x0B", false},
      {"two-byte", "\xC3\xA9", true},
      {"overlong C0", "\xC0\xAF", false},
      {"overlong C1", "\xC1\xBF", false},
      {"overlong E0", "\xE0\x80\xAF", false},
      {"chinese", "\xE5\xAE\x89\xE8\xA3\x85", true},
      {"surrogate D800", "\xED\xA0\x80", false},
      {"ED upper ok", "\xED\x9F\xBF", true},
      {"four-byte", "\xF0\x9F\x98\x80", true},
      {"overlong F0", "\xF0\x8F\xBF\xBF", false},
      {"U+10FFFF", "\xF4\x8F\xBF\xBF", true},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"F5", "\xF5\x80\x80\x80", false},
      {"truncated two", "a\xC3", false},
      {"truncated three", "\xE5\xAE", false},
      {"truncated four", "\xF0\x9F\x98", false},
      {"lone continuation", "\x80", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.label;
}

TEST(PropertyCheck, KeysAndReservedTypes) {
  PropertiesNode badKey;
  badKey.SetNumber("bad-key", 1);
  PropertiesNode project;
  project.SetNumber("$project", 1);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(badKey.Check());
  EXPECT_FALSE(project.Check());
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("The Property Key need to be a valid variable name."), std::string::npos);
  EXPECT_NE(err.find("The property '$project' should be String type."), std::string::npos);
  PropertiesNode nested;
  nested.SetObject("o", utils::ObjectNode());
  EXPECT_FALSE(nested.Has("o"));
}

}  // namespace
