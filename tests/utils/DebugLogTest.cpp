#include <windows.h>

#include <gtest/gtest.h>

#include <cstdarg>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/Strings.h"

namespace {

std::wstring Format(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::wstring line = Utils::FormatDebugLine(format, args);
  va_end(args);
  return line;
}

std::wstring Line(const wchar_t* message, bool terminator, int pid, int tid, int lineNo) {
  return Format(Utils::DebugLineFormat(message, terminator).c_str(), pid, tid, 2026, 1, 2, 3, 4, 5, 6,
                L"CurlClient::Start", lineNo);
}

TEST(DebugLogTest, PrefixFieldsAndWidths) {
  EXPECT_EQ(Line(L"hello", true, 42, 7, 12),
            L"<P00042><T00007><2026-01-02 03:04:05.006>(CurlClient::Start)<0012>: hello\r\n");
  // Ids of six or more digits widen the field instead of being cut.
  EXPECT_EQ(Line(L"x", true, 1234567, 123456, 12345),
            L"<P1234567><T123456><2026-01-02 03:04:05.006>(CurlClient::Start)<12345>: x\r\n");
}

TEST(DebugLogTest, LineTerminators) {
  struct Case {
    const wchar_t* message;
    bool terminator;
    const wchar_t* ending;
  } cases[] = {
      {L"THREAD BEGIN", true, L": THREAD BEGIN\r\n"},
      {L"DL_TYPE=%d\r\n", true, L": DL_TYPE=3\r\n"},          // already terminated: nothing more
      {L"progress %d%% \n", true, L": progress 3% \n"},        // the progress line keeps its " \n"
      {L"GetConnectivity %d", false, L": GetConnectivity 3"},  // no terminator at all
  };
  for (const Case& c : cases) {
    std::wstring line = Format(Utils::DebugLineFormat(c.message, c.terminator).c_str(), 1, 2, 2026, 1, 2, 3, 4,
                               5, 6, L"f", 7, 3);
    const std::wstring ending = c.ending;
    ASSERT_GE(line.size(), ending.size()) << c.message;
    EXPECT_EQ(line.substr(line.size() - ending.size()), ending) << c.message;
  }
}

TEST(DebugLogTest, WideStringArgumentsAndPercent) {
  EXPECT_EQ(Line(L"url=%s", true, 1, 1, 1).find(L"url=(null)"), std::wstring::npos);
  std::wstring line = Format(Utils::DebugLineFormat(L"url=%s 100%%", true).c_str(), 1, 2, 2026, 1, 2, 3, 4, 5, 6,
                             L"f", 7, L"http://127.0.0.1/安装");
  EXPECT_NE(line.find(L"url=http://127.0.0.1/安装 100%\r\n"), std::wstring::npos) << line;
}

TEST(DebugLogTest, QualifiedFunctionNames) {
  struct Case {
    const char* pretty;
    const wchar_t* name;
  } cases[] = {
      {"void CurlClient::Start()", L"CurlClient::Start"},
      {"static unsigned int Utils::Thread::CallBack(void*)", L"Utils::Thread::CallBack"},
      {"bool A::B::Run(int, const std::string&) const", L"A::B::Run"},
      {"CDownloadInstaller::Start()::<lambda(int, double, const wchar_t*)>",
       L"CDownloadInstaller::Start()::<lambda(int, double, const wchar_t*)>"},
      {"int main()", L"main"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utils::QualifiedFunctionName(c.pretty), c.name) << c.pretty;
}

TEST(DebugLogTest, MirrorKeepsLinesOfTwoThreadsWhole) {
  wchar_t dir[MAX_PATH];
  ::GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"mdx_debuglog_mirror.txt";
  ::DeleteFileW(path.c_str());
  ASSERT_TRUE(Utils::SetDebugLogMirror(path));
  auto writer = [](int id) {
    for (int i = 0; i < 200; ++i) DEBUG_LOG(L"writer %d line %03d 中文", id, i);
  };
  std::thread a(writer, 1), b(writer, 2);
  a.join();
  b.join();
  Utils::CloseDebugLogMirror();

  std::ifstream in(Utils::WideToMultiByte(path, 0), std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  in.close();
  ::DeleteFileW(path.c_str());
  std::wstring text = Utils::MultiByteToWide(content.str(), CP_UTF8);
  ASSERT_FALSE(text.empty());
  int lines = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L"\r\n", start);
    ASSERT_NE(end, std::wstring::npos);
    std::wstring line = text.substr(start, end - start);
    // Each line: one prefix, one message, nothing of the other thread.
    EXPECT_EQ(line.rfind(L"<P", 0), 0u) << line;
    EXPECT_EQ(line.find(L"<P", 1), std::wstring::npos) << line;
    EXPECT_NE(line.find(L"::DebugLogTest_MirrorKeepsLinesOfTwoThreadsWhole_Test::TestBody()::<lambda(int)>)<"),
              std::wstring::npos)
        << line;
    EXPECT_EQ(line.substr(line.size() - 3), L" 中文") << line;
    ++lines;
    start = end + 2;
  }
  EXPECT_EQ(lines, 400);
}

}  // namespace
