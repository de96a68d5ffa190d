#include <windows.h>

#include <gtest/gtest.h>

#include <objbase.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>

#include "installer/src/utils/Accounts.h"
#include "installer/src/utils/FileHash.h"
#include "installer/src/utils/Guid.h"
#include "installer/src/utils/HardDiskManager.h"
#include "installer/src/utils/NetworkProbe.h"
#include "installer/src/utils/OsVersion.h"
#include "installer/src/utils/ProcessFinder.h"
#include "installer/src/utils/Strings.h"
#include "installer/src/utils/TempDir.h"
#include "installer/src/utils/UniqueResource.h"

namespace {

std::wstring TempPath() {
  wchar_t dir[MAX_PATH];
  ::GetTempPathW(MAX_PATH, dir);
  return dir;
}

TEST(OsVersionTest, Labels) {
  struct Case {
    unsigned major, minor, build;
    bool r2;
    const wchar_t* label;
  } cases[] = {
      {4, 0, 1381, false, L"XP-"},        {5, 0, 2195, false, L"2K"},   {5, 1, 2600, false, L"XP"},
      {5, 2, 3790, false, L"Server 2003"}, {5, 2, 3790, true, L"Server 2003 R2"},
      {5, 3, 0, false, L"XP+"},           {6, 0, 6002, false, L"Vista"}, {6, 1, 7601, false, L"7"},
      {6, 2, 9200, false, L"8"},          {6, 3, 9600, false, L"8.1"},  {6, 4, 0, false, L"8.1+"},
      {10, 0, 22631, false, L"10"},       {10, 1, 0, false, L"10+"},    {7, 0, 1234, false, L"7.0.1234"},
      {11, 2, 5, false, L"11.2.5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utils::OsVersionLabel(c.major, c.minor, c.build, c.r2), c.label) << c.major << "." << c.minor;
  }
}

TEST(OsVersionTest, ThisSystem) {
  std::wstring name, label;
  Utils::GetOsVersion(name, label);
  EXPECT_EQ(name, L"Windows");
  EXPECT_FALSE(label.empty());
  EXPECT_EQ(label.find(L"XP"), std::wstring::npos) << label;  // Wine reports Windows 7 or later
  EXPECT_TRUE(Utils::IsWow64());  // a 64-bit Windows (this test build is 64-bit)
}

TEST(FileHashTest, UrlMd5) {
  struct Case {
    const char* url;
    const char* md5;
  } cases[] = {
      {"", ""},
      {"a/b", ""},
      {"a/b/c", "b"},
      {"http://h/dl/0cc175b9c0f1b6a831c399e269772661/Melodrix.exe", "0cc175b9c0f1b6a831c399e269772661"},
      {"http://h/x/", "x"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utils::GetUrlMd5(c.url), c.md5) << c.url;
}

TEST(FileHashTest, FileMd5) {
  const std::string dir = Utils::WideToMultiByte(TempPath(), 0);
  EXPECT_EQ(Utils::GetFileMd5(dir + "mdx_no_such_file.bin"), "");
  struct Case {
    std::string content;
    const char* md5;
  } cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
      {std::string(1024, 'x'), "7265f4d211b56873a381d321f586e4a9"},  // exactly one read block
  };
  for (const Case& c : cases) {
    const std::string path = dir + "mdx_md5_case.bin";
    std::ofstream(path, std::ios::binary) << c.content;
    EXPECT_EQ(Utils::GetFileMd5(path), c.md5) << c.content.size();
    std::remove(path.c_str());
  }
}

TEST(GuidTest, Format) {
  const std::wstring a = Utils::NewGuidText(), b = Utils::NewGuidText();
  ASSERT_EQ(a.size(), 32u);
  EXPECT_NE(a, b);
  for (size_t i = 0; i < a.size(); ++i) {
    ASSERT_TRUE(iswxdigit(a[i])) << a;
    if (iswalpha(a[i])) {
      // The third group (characters 12..15) is lower case, the rest upper case.
      if (i >= 12 && i < 16) {
        EXPECT_TRUE(iswlower(a[i])) << a;
      } else {
        EXPECT_TRUE(iswupper(a[i])) << a;
      }
    }
  }
}

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t old[MAX_PATH] = {};
    hadTmp_ = ::GetEnvironmentVariableW(L"TMP", old, MAX_PATH) > 0;
    oldTmp_ = old;
    base_ = TempPath() + L"mdx_tempdir_base\\";
    ::CreateDirectoryW(base_.c_str(), nullptr);
    ::SetEnvironmentVariableW(L"TMP", base_.c_str());
  }
  void TearDown() override {
    ::RemoveDirectoryW((base_ + Utils::kPrivateTempName).c_str());
    ::RemoveDirectoryW(base_.c_str());
    ::SetEnvironmentVariableW(L"TMP", hadTmp_ ? oldTmp_.c_str() : nullptr);
  }
  std::wstring base_, oldTmp_;
  bool hadTmp_ = false;
};

TEST_F(TempDirTest, CreatedThenFoundThenBaseMissing) {
  const std::wstring expected = base_ + L"~KorvelTemp.92482B06FB471E17\\";
  wchar_t out[MAX_PATH] = L"unchanged";
  EXPECT_FALSE(Utils::GetTempDir(out));  // created
  EXPECT_EQ(std::wstring(out), expected);
  EXPECT_NE(::GetFileAttributesW(expected.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Utils::GetTempDir(), expected);  // already there

  ::RemoveDirectoryW(expected.c_str());
  ::RemoveDirectoryW(base_.c_str());
  wchar_t untouched[MAX_PATH] = L"unchanged";
  EXPECT_TRUE(Utils::GetTempDir(untouched));  // one level only: the base is not made
  EXPECT_STREQ(untouched, L"unchanged");
  EXPECT_EQ(Utils::GetTempDir(), L"");
}

TEST(HardDiskManagerTest, FreeSpace) {
  Utils::HardDiskManager disk;
  EXPECT_EQ(disk.TotalBytes(), 0u);
  ASSERT_TRUE(disk.CheckFreeSpace(L"C:"));
  EXPECT_GT(disk.TotalBytes(), 0u);
  EXPECT_LE(disk.FreeBytesAvailable(), disk.TotalBytes());
  Utils::HardDiskManager missing;
  EXPECT_FALSE(missing.CheckFreeSpace(L"C:\\no\\such\\folder\\at\\all"));
  EXPECT_EQ(missing.TotalBytes(), 0u);
}

TEST(NetworkProbeTest, ResultLayout) {
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int result = Utils::CheckNetwork();
  ::CoUninitialize();
  // The verdict lives above the 16 flag bits and is 0, 1 or 2.
  EXPECT_GE(result, 0);
  EXPECT_LE(result >> 16, 2);
  if ((result & 0xFFFF) == 0) {
    EXPECT_NE(result >> 16, 2);  // no flags: no connectivity (1), or no manager at all (0)
  }
}

TEST(AccountsTest, AdministratorAndConsoleUser) {
  // Wine runs every program with an administrator token.
  EXPECT_TRUE(Utils::IsRunAsAdmin());
  EXPECT_FALSE(Utils::IsAdminAccount(L"mdx-no-such-user-42"));
  std::wstring user = L"unchanged";
  if (Utils::GetConsoleUserName(user)) {
    EXPECT_NE(user, L"unchanged");
  } else {
    EXPECT_EQ(user, L"unchanged");
  }
}

// Started as a child by ProcessFinderTest: stays alive for a while.
TEST(ProcessFinderChild, StayAlive) {
  if (!std::getenv("MDX_PROCESS_FINDER_CHILD")) GTEST_SKIP() << "only runs as the probe's child";
  ::Sleep(20000);
}

TEST(ProcessFinderTest, FindsARunningChildByExactName) {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring childExe = TempPath() + L"MdxProbeChild.exe";
  ASSERT_TRUE(::CopyFileW(self, childExe.c_str(), FALSE));
  ::SetEnvironmentVariableW(L"MDX_PROCESS_FINDER_CHILD", L"1");
  std::wstring commandLine = L"\"" + childExe + L"\" --gtest_filter=ProcessFinderChild.StayAlive";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &startup, &info));
  ::SetEnvironmentVariableW(L"MDX_PROCESS_FINDER_CHILD", nullptr);
  Utils::UniqueHandle process(info.hProcess), thread(info.hThread);

  unsigned long found = 0;
  for (int i = 0; i < 100 && found == 0; ++i, ::Sleep(50)) found = Utils::FindProcessId(L"MdxProbeChild.exe");
  EXPECT_EQ(found, info.dwProcessId);
  EXPECT_EQ(Utils::FindProcessId(L"mdxprobechild.exe"), 0u);  // letter case matters
  EXPECT_EQ(Utils::FindProcessId(L"MdxProbeChild"), 0u);

  ::TerminateProcess(process.get(), 0);
  ::WaitForSingleObject(process.get(), 5000);
  ::DeleteFileW(childExe.c_str());
}

}  // namespace
