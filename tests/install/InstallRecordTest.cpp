// The install record in the Wine prefix's HKCU and the settings files.
#include <windows.h>

#include <gtest/gtest.h>

#include "installer/src/install/InstallRecord.h"
#include "installer/src/install/SettingsFile.h"
#include "installer/src/utils/ProductRegistry.h"
#include "tests/install/TestSupport.h"

using namespace InstallTest;

namespace {

// Removes the product key before and after each test.
class InstallRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteKeyW(HKEY_CURRENT_USER, Utils::kProductRegKey); }
  void TearDown() override { ::RegDeleteKeyW(HKEY_CURRENT_USER, Utils::kProductRegKey); }

  // Stores a REG_SZ value of exactly `length` characters; the character after
  // them is not a null, so the system cannot add a terminator on its own.
  static void WriteUnterminated(const wchar_t* name, const std::wstring& text) {
    std::wstring buffer = text + L"Z";
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, Utils::kProductRegKey, 0, nullptr, 0,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer.data()),
                     static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    ::RegCloseKey(key);
  }

  ScratchDir dir_;
};

TEST_F(InstallRecordTest, NoInstallPathMeansNothingToRemove) {
  Install::PreviousInstallation previous = Install::ReadInstallRecord();
  EXPECT_FALSE(previous.recorded);
  EXPECT_EQ(previous.directory, L"");
  EXPECT_EQ(previous.uninstaller, L"");
  EXPECT_EQ(Install::PreviousUninstallerFor(previous, dir_.path()), L"");
}

TEST_F(InstallRecordTest, MissingUnInstallEpDefaultsToUninstEp) {
  ASSERT_TRUE(Utils::WriteProductRegValue(L"InstallPath", L"C:\\Old\\Melodrix"));
  Install::PreviousInstallation previous = Install::ReadInstallRecord();
  EXPECT_TRUE(previous.recorded);
  EXPECT_EQ(previous.directory, L"C:\\Old\\Melodrix");
  EXPECT_EQ(previous.uninstaller, L"C:\\Old\\Melodrix\\uninst.ep");
}

TEST_F(InstallRecordTest, WrittenRecordReadsBack) {
  WriteTextFile(dir_.File(L"uninst.ep"), "u");
  Install::WriteInstallRecord(dir_.path(), L"");
  Install::PreviousInstallation previous = Install::ReadInstallRecord();
  EXPECT_TRUE(previous.recorded);
  EXPECT_EQ(previous.directory, dir_.path());
  EXPECT_EQ(previous.uninstaller, dir_.File(L"uninst.ep"));
}

TEST_F(InstallRecordTest, ReportedPathsLoseTheirCarriageReturn) {
  WriteTextFile(dir_.File(L"u.ep"), "u");
  Install::WriteInstallRecord(dir_.path() + L"\r", dir_.File(L"u.ep") + L"\r");
  Install::PreviousInstallation previous = Install::ReadInstallRecord();
  EXPECT_EQ(previous.directory, dir_.path());
  EXPECT_EQ(previous.uninstaller, dir_.File(L"u.ep"));
}

TEST_F(InstallRecordTest, ValuesWithoutTerminatorAreRead) {
  WriteUnterminated(L"InstallPath", L"C:\\Old");
  WriteUnterminated(L"UnInstallEp", L"C:\\Old\\u.exe");
  Install::PreviousInstallation previous = Install::ReadInstallRecord();
  EXPECT_EQ(previous.directory, L"C:\\Old");
  EXPECT_EQ(previous.uninstaller, L"C:\\Old\\u.exe");
}

TEST_F(InstallRecordTest, UninstallerRecordOnlyWhenTheFileExists) {
  // The package named its own record file, which is missing: no UnInstallEp.
  Install::WriteInstallRecord(dir_.path(), dir_.File(L"other.ep"));
  EXPECT_EQ(Install::ReadInstallRecord().uninstaller, dir_.File(L"uninst.ep"));  // the default
  WriteTextFile(dir_.File(L"other.ep"), "u");
  Install::WriteInstallRecord(dir_.path(), dir_.File(L"other.ep"));
  EXPECT_EQ(Install::ReadInstallRecord().uninstaller, dir_.File(L"other.ep"));
}

struct OverrideCase {
  const char* setIni;  // nullptr: no set.ini
  bool sameDirectory;
  bool removes;
};

TEST_F(InstallRecordTest, RemovalDecision) {
  const OverrideCase cases[] = {
      {"[Uninstall]\r\nIsOverride=false\r\n", true, false},
      {"[Uninstall]\r\nIsOverride=FALSE\r\n", true, true},
      {"[Uninstall]\r\nIsOverride=true\r\n", true, true},
      {"[Uninstall]\r\nOther=1\r\n", true, true},
      {"[Install]\r\nIsOverride=false\r\n", true, true},
      {nullptr, true, true},
      {"[Uninstall]\r\nIsOverride=false\r\n", false, true},
  };
  for (const OverrideCase& c : cases) {
    ScratchDir chosen;
    if (c.setIni) WriteTextFile(chosen.File(L"set.ini"), c.setIni);
    Install::PreviousInstallation previous;
    previous.directory = c.sameDirectory ? chosen.path() : dir_.path();
    previous.uninstaller = previous.directory + L"\\uninst.ep";
    previous.recorded = true;
    EXPECT_EQ(Install::PreviousUninstallerFor(previous, chosen.path()),
              c.removes ? previous.uninstaller : L"")
        << (c.setIni ? c.setIni : "(no set.ini)") << " same=" << c.sameDirectory;
  }
}

TEST(SameDirectory, ComparesAsDirectories) {
  EXPECT_TRUE(Install::IsSameDirectory(L"C:\\Apps\\Melodrix", L"C:\\Apps\\Melodrix"));
  EXPECT_TRUE(Install::IsSameDirectory(L"C:\\Apps\\Melodrix\\", L"C:\\Apps\\Melodrix"));
  EXPECT_TRUE(Install::IsSameDirectory(L"C:\\Apps\\Melodrix", L"c:\\apps\\MELODRIX"));
  EXPECT_FALSE(Install::IsSameDirectory(L"C:\\Apps\\Melodrix", L"C:\\Apps\\Melodrix2"));
  EXPECT_FALSE(Install::IsSameDirectory(L"C:\\Apps\\Melodrix", L"C:\\Apps"));
  EXPECT_FALSE(Install::IsSameDirectory(L"", L"C:\\Apps"));
}

std::wstring IniValue(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t value[MAX_PATH] = {};
  ::GetPrivateProfileStringW(section, key, L"<none>", value, MAX_PATH, file.c_str());
  return value;
}

TEST(SettingsFile, WritesInstallSectionAndAnalyticsFile) {
  ScratchDir install, appData;
  ScopedEnvironment environment(L"APPDATA", appData.path());
  Install::WriteSettingsFile(install.path());
  const std::wstring setIni = install.File(L"set.ini");
  EXPECT_EQ(IniValue(setIni, L"Install", L"APPStore"), L"install_runner_tests.exe");
  EXPECT_EQ(IniValue(setIni, L"Install", L"AppName"), L"Melodrix");
  const std::wstring telemetryIni = appData.path() + L"\\KorvelData\\Melodrix\\QXTelemetry.ini";
  EXPECT_EQ(IniValue(setIni, L"Install", L"QXTelemetryIni"), telemetryIni);
  std::wstring updateTime = IniValue(telemetryIni, L"Init", L"UpdateTime");
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  EXPECT_EQ(std::swscanf(updateTime.c_str(), L"%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6)
      << updateTime.size();
  EXPECT_EQ(updateTime.size(), 19u);

  std::wstring firstId = IniValue(setIni, L"Install", L"DeviceID");
  EXPECT_EQ(firstId.size(), 32u);
  Install::WriteSettingsFile(install.path());
  EXPECT_NE(IniValue(setIni, L"Install", L"DeviceID"), firstId);
}

TEST(SettingsFile, NoAnalyticsKeyWhenItsFolderCannotBeMade) {
  ScratchDir install, appData;
  // A file where the folder should be: the folder cannot be created.
  WriteTextFile(appData.File(L"KorvelData"), "not a folder");
  ScopedEnvironment environment(L"APPDATA", appData.path());
  Install::WriteSettingsFile(install.path());
  EXPECT_EQ(IniValue(install.File(L"set.ini"), L"Install", L"AppName"), L"Melodrix");
  EXPECT_EQ(IniValue(install.File(L"set.ini"), L"Install", L"QXTelemetryIni"), L"<none>");
}

TEST(SettingsFile, UpdateTimeFormat) {
  SYSTEMTIME time = {};
  time.wYear = 2026;
  time.wMonth = 3;
  time.wDay = 7;
  time.wHour = 4;
  time.wMinute = 5;
  time.wSecond = 9;
  EXPECT_EQ(Install::FormatUpdateTime(time), L"2026-03-07 04:05:09");
}

}  // namespace
