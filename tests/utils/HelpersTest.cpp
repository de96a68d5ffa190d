#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/src/utils/Directory.h"
#include "installer/src/utils/Exception.h"
#include "installer/src/utils/MessagePump.h"
#include "installer/src/utils/ProductRegistry.h"
#include "installer/src/utils/Stopwatch.h"
#include "installer/src/utils/Strings.h"
#include "installer/src/utils/UniqueResource.h"

namespace {

TEST(StringsTest, UrlEncode) {
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"http://127.0.0.1:8080/a/b.exe?x=1&y=~", L"http://127.0.0.1:8080/a/b.exe?x=1&y=~"},
      {L"http://h/my file.exe", L"http://h/my+file.exe"},
      {L"http://h/安装.exe", L"http://h/%E5%AE%89%E8%A3%85.exe"},
      {L"a\tb\x7f", L"a%09b%7F"},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(Utils::UrlEncode(c.in), c.out) << c.in;
}

TEST(StringsTest, Trim) {
  struct Case {
    const wchar_t *in, *left, *right, *both;
  } cases[] = {
      {L" \t\r\n\v\fa b\f\v\n\r\t ", L"a b\f\v\n\r\t ", L" \t\r\n\v\fa b", L"a b"},
      {L"   ", L"", L"", L""},
      {L"x", L"x", L"x", L"x"},
      {L"", L"", L"", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utils::TrimLeft(c.in), c.left);
    EXPECT_EQ(Utils::TrimRight(c.in), c.right);
    EXPECT_EQ(Utils::Trim(c.in), c.both);
  }
}

TEST(StringsTest, ReplaceAllAndStartsWith) {
  EXPECT_EQ(Utils::ReplaceAll(L"/${ROUTE}/x/${ROUTE}", L"${ROUTE}", L"download_silent"),
            L"/download_silent/x/download_silent");
  EXPECT_EQ(Utils::ReplaceAll(L"aaa", L"a", L"b"), L"bbb");
  EXPECT_EQ(Utils::ReplaceAll(L"abc", L"", L"x"), L"abc");
  // A replacement that contains what it replaces must not loop forever.
  EXPECT_EQ(Utils::ReplaceAll(L"a-a", L"a", L"aa"), L"aa-aa");
  EXPECT_TRUE(Utils::StartsWith(L"Progress=50", L"Progress="));
  EXPECT_FALSE(Utils::StartsWith(L"progress=50", L"Progress="));
  EXPECT_FALSE(Utils::StartsWith(L"Pro", L"Progress="));
}

TEST(StringsTest, Conversions) {
  EXPECT_EQ(Utils::WideToMultiByte(L"安装 ok", CP_UTF8), "\xE5\xAE\x89\xE8\xA3\x85 ok");
  EXPECT_EQ(Utils::MultiByteToWide("\xE5\xAE\x89\xE8\xA3\x85 ok", CP_UTF8), L"安装 ok");
  EXPECT_EQ(Utils::MultiByteToWide("\xE5\xAE", CP_UTF8), L"");  // invalid UTF-8
  EXPECT_EQ(Utils::WideToMultiByte(L"", 0), "");
  // Characters outside the ANSI code page become its replacement character.
  if (::GetACP() == 1252) {
    EXPECT_EQ(Utils::WideToMultiByte(L"a安", 0), "a?");
  }
}

TEST(DirectoryTest, CreateDirectoryTree) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring root = std::wstring(temp) + L"mdx_tree";
  const std::wstring deep = root + L"\\a\\b\\c";
  ASSERT_TRUE(Utils::CreateDirectoryTree(deep));
  EXPECT_NE(::GetFileAttributesW(deep.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(Utils::CreateDirectoryTree(deep));         // existing: fine
  EXPECT_TRUE(Utils::CreateDirectoryTree(root + L"\\a\\"));  // trailing backslash

  std::wstring tooLong = root + L"\\long\\";
  tooLong += std::wstring(261 - tooLong.size(), L'x');
  ASSERT_EQ(tooLong.size(), 261u);
  EXPECT_FALSE(Utils::CreateDirectoryTree(tooLong));
  EXPECT_EQ(::GetFileAttributesW((root + L"\\long").c_str()), INVALID_FILE_ATTRIBUTES);  // nothing made

  for (const wchar_t* d : {L"\\a\\b\\c", L"\\a\\b", L"\\a", L""}) ::RemoveDirectoryW((root + d).c_str());
}

TEST(ProductRegistryTest, RoundTripWithoutTerminator) {
  const std::wstring name = L"MdxUnitTestValue";
  ASSERT_TRUE(Utils::WriteProductRegValue(name, L"C:\\Program Files\\Melodrix 安装"));
  Utils::UniqueRegKey key;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, Utils::kProductRegKey, 0, KEY_ALL_ACCESS, key.receive()),
            ERROR_SUCCESS);
  DWORD bytes = 0;
  ASSERT_EQ(::RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, nullptr, &bytes), ERROR_SUCCESS);
  // Windows stores exactly what was given; Wine adds a terminator on its own.
  const DWORD given = static_cast<DWORD>(std::wstring(L"C:\\Program Files\\Melodrix 安装").size() * sizeof(wchar_t));
  EXPECT_TRUE(bytes == given || bytes == given + sizeof(wchar_t)) << bytes;

  unsigned long type = 0;
  std::wstring text;
  ASSERT_TRUE(Utils::ReadProductRegValue(name, type, text));
  EXPECT_EQ(type, static_cast<unsigned long>(REG_SZ));
  EXPECT_EQ(text, L"C:\\Program Files\\Melodrix 安装");
  ::RegDeleteValueW(key.get(), name.c_str());
  EXPECT_FALSE(Utils::ReadProductRegValue(name, type, text));
}

TEST(ExceptionTest, MessageIsNarrowAnsi) {
  try {
    throw Utils::Exception(L"launch failed");
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "launch failed");
  }
  EXPECT_STREQ(Utils::Exception(L"").what(), "");
}

TEST(MessagePumpTest, DispatchesAndStopsOnQuitOrDeadWindow) {
  EXPECT_FALSE(Utils::PumpMessages(reinterpret_cast<HWND>(static_cast<uintptr_t>(0x12345678))));  // no such window
  ::PostThreadMessageW(::GetCurrentThreadId(), WM_USER + 1, 0, 0);
  ::PostThreadMessageW(::GetCurrentThreadId(), WM_USER + 2, 0, 0);
  ::PostQuitMessage(7);
  EXPECT_FALSE(Utils::PumpMessages(nullptr));
  MSG message;
  // The quit message is posted again for the real loop to see.
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
}

TEST(StopwatchTest, ElapsedOnlyWhileRunning) {
  Utils::Stopwatch watch;
  EXPECT_EQ(watch.Elapsed(), 0.0f);
  watch.Start();
  ::Sleep(50);
  EXPECT_GT(watch.Elapsed(), 0.0f);
  watch.Stop();
  EXPECT_EQ(watch.Elapsed(), 0.0f);
}

}  // namespace
