#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/src/install/InstallEvents.h"
#include "installer/src/install/OutputLines.h"
#include "installer/src/install/PackageOutputParser.h"
#include "installer/src/install/UninstallOutputParser.h"
#include "tests/install/TestSupport.h"

using InstallTest::Event;
using InstallTest::EventRecorder;

namespace {

struct ParseCase {
  const char* name;
  std::wstring chunk;
  std::vector<Event> events;
  int result;
};

std::wstring Repeat(wchar_t c, size_t n) { return std::wstring(n, c); }

const std::wstring kLong771 = Repeat(L'a', 771);
const std::wstring kLong772 = Repeat(L'a', 772);

class PackageParserTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(PackageParserTable, SendsTheEventsOfEveryLine) {
  const ParseCase& c = GetParam();
  Install::PackageOutputParser parser;
  EventRecorder recorder;
  EXPECT_EQ(parser.Parse(c.chunk, recorder.Callback()), c.result);
  EXPECT_EQ(recorder.Events(), c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PackageParserTable,
    ::testing::Values(
        ParseCase{"Progress", L"Progress=0.25\n", {{2002, 0.25, L""}}, 0},
        ParseCase{"ProgressUnreadable", L"Progress=abc", {{2002, 0, L""}}, 0},
        ParseCase{"InstPathKeepsCarriageReturn", L"InstPath=C:\\X\r\n", {{3000, 0, L"C:\\X\r"}}, 0},
        ParseCase{"StateSuccess", L"State=Success\r\n", {{2003, 0, L""}}, 1},
        ParseCase{"StateSuccessWithBlanks", L"State= Success \n", {{2003, 0, L""}}, 1},
        ParseCase{"StateLowerCaseIgnored", L"State=success\n", {}, 0},
        ParseCase{"StateFail", L"State=Fail\n", {{2004, 0, L"安装包安装失败"}}, 1000},
        ParseCase{"StateOther", L"State=Busy\n", {}, 0},
        ParseCase{"ExePath", L"ExePath=C:\\P\\m.exe", {{3001, 0, L"C:\\P\\m.exe"}}, 0},
        ParseCase{"StartExe", L"StartExe=m.exe", {{3001, 0, L"m.exe"}}, 0},
        ParseCase{"UninstExePath", L"UninstExePath=u.exe", {{3002, 0, L"u.exe"}}, 0},
        ParseCase{"UninstExe", L"UninstExe=u2.exe", {{3002, 0, L"u2.exe"}}, 0},
        ParseCase{"UninstEp", L"UninstEp=C:\\P\\uninst.ep", {{3003, 0, L"C:\\P\\uninst.ep"}}, 0},
        ParseCase{"Error", L"Error=disk full\n", {{2004, 1000, L"disk full"}}, 1000},
        ParseCase{"TopShowDetention", L"TopShowDetention=15", {{3007, 15, L""}}, 0},
        ParseCase{"TopShowDetentionNegativeIsUnsigned", L"TopShowDetention=-1",
                  {{3007, 4294967295.0, L""}}, 0},
        ParseCase{"TopShowDetentionUnreadable", L"TopShowDetention=x", {{3007, 0, L""}}, 0},
        ParseCase{"FinsihCloseDetention", L"FinsihCloseDetention=3", {{3008, 3, L""}}, 0},
        ParseCase{"StartUrl", L"StartUrl=http://127.0.0.1/a", {{3004, 0, L"http://127.0.0.1/a"}}, 0},
        ParseCase{"StartupStyleNon", L"StartupStyle=NonStartup", {{3005, 0, L""}}, 0},
        ParseCase{"StartupStyleAuto", L"StartupStyle= AutoStartup\r", {{3005, 1, L""}}, 0},
        ParseCase{"StartupStyleUser", L"StartupStyle=UserStartup", {{3005, 2, L""}}, 0},
        ParseCase{"StartupStyleOther", L"StartupStyle=Later", {{3005, 0, L""}}, 0},
        ParseCase{"Message", L"Message=你好", {{3009, 0, L"你好"}}, 0},
        ParseCase{"MessageEmpty", L"Message=\nMessage=", {{3009, 0, L""}, {3009, 0, L""}}, 0},
        ParseCase{"MessageAtLimit", L"Message=" + kLong771, {{3009, 0, kLong771}}, 0},
        ParseCase{"MessageOverLimitIsEmpty", L"Message=" + kLong772, {{3009, 0, L""}}, 0},
        // An earlier line's value must not leak into a value that cannot be read.
        ParseCase{"TextValueNotCarriedOver", L"InstPath=C:\\A\nInstPath=" + kLong772,
                  {{3000, 0, L"C:\\A"}, {3000, 0, L""}}, 0},
        ParseCase{"EmptyTextValue", L"ExePath=C:\\A\nExePath=", {{3001, 0, L"C:\\A"}, {3001, 0, L""}}, 0},
        ParseCase{"KeyNotAtLineStart", L" Progress=0.5\nprogress=0.5\n", {}, 0},
        ParseCase{"VersionAndEncodeSendNothing", L"InstallVersion=1.2.3\nEncode=UTF8\n", {}, 0},
        ParseCase{"SuccessThenErrorSendsBoth", L"State=Success\nError=late\n",
                  {{2003, 0, L""}, {2004, 1000, L"late"}}, 1000},
        ParseCase{"ErrorThenSuccessEndsWithSuccess", L"Error=e\nState=Success",
                  {{2004, 1000, L"e"}, {2003, 0, L""}}, 1},
        ParseCase{"LinesInOrder", L"Progress=0.1\nInstPath=D\nProgress=0.2",
                  {{2002, 0.1, L""}, {3000, 0, L"D"}, {2002, 0.2, L""}}, 0}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(PackageParser, KeepsTheVersionTriple) {
  Install::PackageOutputParser parser;
  EventRecorder recorder;
  parser.Parse(L"InstallVersion=4.10.237\r\n", recorder.Callback());
  EXPECT_EQ(parser.Version().major, 4);
  EXPECT_EQ(parser.Version().minor, 10);
  EXPECT_EQ(parser.Version().build, 237);
}

TEST(PackageParser, LineSplitAcrossChunksIsTwoLines) {
  Install::PackageOutputParser parser;
  EventRecorder recorder;
  EXPECT_EQ(parser.Parse(L"Progress=0.3\nSta", recorder.Callback()), 0);
  EXPECT_EQ(parser.Parse(L"te=Success\n", recorder.Callback()), 0);
  EXPECT_EQ(recorder.Events(), (std::vector<Event>{{2002, 0.3, L""}}));
}

struct EncodeCase {
  std::wstring line;
  unsigned codePage;
};

TEST(PackageParser, EncodeSelectsTheCodePageOfLaterChunks) {
  const EncodeCase cases[] = {{L"Encode=UTF8", 65001}, {L"Encode=ACP", 0},  {L"Encode=936", 936},
                              {L"Encode= 936\r", 936}, {L"Encode=abc", 0}, {L"Encode=", 0}};
  for (const EncodeCase& c : cases) {
    Install::PackageOutputParser parser;
    EventRecorder recorder;
    parser.Parse(L"Encode=UTF8\n", recorder.Callback());
    parser.Parse(c.line, recorder.Callback());
    EXPECT_EQ(parser.CodePage(), c.codePage) << testing::PrintToString(std::string(c.line.begin(), c.line.end()));
  }
}

TEST(PackageParser, DecodesWithTheCodePageInForce) {
  // "安装" in UTF-8 and in code page 936.
  const std::string utf8 = "Message=\xE5\xAE\x89\xE8\xA3\x85";
  const std::string gbk = "Message=\xB0\xB2\xD7\xB0";
  Install::PackageOutputParser parser;
  EventRecorder recorder;
  parser.Parse(L"Encode=UTF8", recorder.Callback());
  parser.Parse(Install::DecodeChunk(utf8, parser.CodePage()), recorder.Callback());
  parser.Parse(L"Encode=936", recorder.Callback());
  parser.Parse(Install::DecodeChunk(gbk, parser.CodePage()), recorder.Callback());
  EXPECT_EQ(recorder.Events(), (std::vector<Event>{{3009, 0, L"安装"}, {3009, 0, L"安装"}}));
  // Bytes that are not UTF-8 decode to nothing rather than to wrong text.
  EXPECT_EQ(Install::DecodeChunk("\xFF\xFE", 65001), L"");
}

class UninstallParserTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(UninstallParserTable, SendsTheEventsOfEveryLine) {
  const ParseCase& c = GetParam();
  Install::UninstallOutputParser parser;
  EventRecorder recorder;
  EXPECT_EQ(parser.Parse(c.chunk, recorder.Callback()), c.result);
  EXPECT_EQ(recorder.Events(), c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, UninstallParserTable,
    ::testing::Values(
        ParseCase{"Progress", L"Progress=0.5\r\n", {{5002, 0.5, L""}}, 0},
        ParseCase{"ProgressUnreadable", L"Progress=", {{5002, 0, L""}}, 0},
        ParseCase{"Error", L"Error=locked\r\n", {{5005, 0, L"locked\r"}}, 1000},
        ParseCase{"ErrorOverLimitIsEmpty", L"Error=x\nError=" + kLong772,
                  {{5005, 0, L"x"}, {5005, 0, L""}}, 1000},
        ParseCase{"StateSuccess", L"State= Success\r\n", {{5003, 0, L""}}, 1},
        ParseCase{"StateLowerCaseIgnored", L"State=success", {}, 0},
        ParseCase{"StateFail", L"State=Fail", {{5005, 0, L"安装包卸载失败"}}, 1000},
        ParseCase{"SuccessThenProgress", L"State=Success\nProgress=0.9",
                  {{5003, 0, L""}, {5002, 0.9, L""}}, 1},
        ParseCase{"PackageKeysIgnored", L"InstPath=C:\\A\nMessage=m", {}, 0}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(UninstallParser, OnlyUtf8ChangesTheCodePage) {
  const EncodeCase cases[] = {{L"Encode=UTF8\r", 65001}, {L"Encode=ACP", 0}, {L"Encode=936", 0}};
  for (const EncodeCase& c : cases) {
    Install::UninstallOutputParser parser;
    EventRecorder recorder;
    parser.Parse(L"Encode=UTF8", recorder.Callback());
    parser.Parse(c.line, recorder.Callback());
    EXPECT_EQ(parser.CodePage(), c.codePage);
  }
}

TEST(OutputLines, SplitsAtLineFeedsOnly) {
  EXPECT_EQ(Install::SplitLines(L"a\r\nb\nc"), (std::vector<std::wstring>{L"a\r", L"b", L"c"}));
  EXPECT_EQ(Install::SplitLines(L"a\n\nb\n"), (std::vector<std::wstring>{L"a", L"", L"b"}));
  EXPECT_TRUE(Install::SplitLines(L"").empty());
}

}  // namespace
