#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "installer/src/app/InstallerConfig.h"
#include "installer/src/utils/Strings.h"

namespace {

// An INI file in the temp folder, removed afterwards.
class IniFile {
 public:
  explicit IniFile(const std::string& content) {
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    wchar_t name[MAX_PATH];
    ::GetTempFileNameW(dir, L"ini", 0, name);
    path_ = name;
    std::ofstream(Utils::WideToMultiByte(path_, 0), std::ios::binary) << content;
  }
  ~IniFile() { ::DeleteFileW(path_.c_str()); }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

InstallerConfig FromIni(const std::string& content) {
  IniFile ini(content);
  InstallerConfig config;
  config.LoadFromIni(ini.path());
  return config;
}

InstallerConfig FromArguments(std::vector<std::wstring> arguments) {
  InstallerConfig config;
  arguments.insert(arguments.begin(), L"C:\\x\\Melodrix.exe");
  config.ApplyArguments(arguments);
  return config;
}

TEST(InstallerConfigTest, WithoutIniTheRecordDefaultsStand) {
  InstallerConfig config;
  config.LoadFromIni(L"C:\\no\\such\\dir\\KorvelInstallerConfig.ini");
  EXPECT_EQ(config.DownloadUrl, BuiltInDownloadUrl());
  EXPECT_EQ(config.DownloadUrl.find(L"${ROUTE}"), std::wstring::npos);
  EXPECT_TRUE(config.DownloadUrl.size() > 13 &&
              config.DownloadUrl.compare(config.DownloadUrl.size() - 13, 13, L"/software/238") == 0);
  EXPECT_EQ(config.DownloadType, 1);
  EXPECT_FALSE(config.IsCheckNet);
  EXPECT_TRUE(config.IsEnableAppTelemetry);
  EXPECT_DOUBLE_EQ(config.DownloadScale, 0.7);
  EXPECT_EQ(config.AppName, L"Melodrix");
  EXPECT_EQ(config.AppVersion, L"1.7.9");
  EXPECT_EQ(config.DlAppNameSuffix, L".downloader");
}

TEST(InstallerConfigTest, EmptySectionUsesKeyDefaults) {
  InstallerConfig config = FromIni("[Install]\r\n");
  EXPECT_TRUE(config.IsCheckNet);  // the key default differs from the record default
  EXPECT_TRUE(config.IsEnableAppTelemetry);
  EXPECT_EQ(config.DownloadType, 1);
  EXPECT_DOUBLE_EQ(config.DownloadScale, 0.7);
  EXPECT_EQ(config.DownloadUrl, BuiltInDownloadUrl());
  EXPECT_EQ(config.InstCmd, L"");
}

TEST(InstallerConfigTest, IniValuesAreStored) {
  InstallerConfig config = FromIni(
      "[Install]\r\nDownloadUrl=http://127.0.0.1/${ROUTE}/a/${ROUTE}\r\nDownloadType=3\r\n"
      "IsCheckNet=TRUE\r\nIsEnableAppTelemetry=false\r\nDlAppNameSuffix=.stub\r\nm_DlAppVersion=2.0\r\n"
      "DownloadScale=0.25\r\nInstCmd=/NCRC\r\n");
  EXPECT_EQ(config.DownloadUrl, L"http://127.0.0.1/download_silent/a/download_silent");
  EXPECT_EQ(config.DownloadType, 3);
  EXPECT_FALSE(config.IsCheckNet);  // only "true" exactly counts
  EXPECT_FALSE(config.IsEnableAppTelemetry);
  EXPECT_EQ(config.DlAppNameSuffix, L".stub");
  EXPECT_EQ(config.m_DlAppVersion, L"2.0");
  EXPECT_DOUBLE_EQ(config.DownloadScale, 0.25);
  EXPECT_EQ(config.InstCmd, L"/NCRC");
}

TEST(InstallerConfigTest, LongIniValueIsCutTo259Characters) {
  InstallerConfig config = FromIni("[Install]\r\nInstCmd=" + std::string(300, 'x') + "\r\n");
  EXPECT_EQ(config.InstCmd, std::wstring(259, L'x'));
}

TEST(InstallerConfigTest, IniDownloadScale) {
  struct Case {
    const char* text;
    double expected;
  } cases[] = {
      {"0.5", 0.5}, {"  0.3xyz", 0.3}, {"abc", 0.0},  // not a number: 0
      {"1e999", 0.7}, {"-0.5", 0.7},   {"1.5", 0.7},   // outside [0, 1]: the default share
      {"nan", 0.7},   {"1", 1.0},      {"0", 0.0},
  };
  for (const Case& c : cases) {
    InstallerConfig config = FromIni(std::string("[Install]\r\nDownloadScale=") + c.text + "\r\n");
    EXPECT_DOUBLE_EQ(config.DownloadScale, c.expected) << c.text;
  }
}

TEST(InstallerConfigTest, CommandLineOptions) {
  InstallerConfig config = FromArguments({L"-downloadurl=http://127.0.0.1/x", L"-downloadtype=3",
                                          L"-downloadtype=2", L"-ischecknet=true", L"-isenableapptelemetry=TRUE",
                                          L"-dlappnamesuffix=.s", L"-dlappversion=9", L"-instcmd=/NCRC /Q",
                                          L"-unknown=1", L"loose"});
  EXPECT_EQ(config.DownloadUrl, L"http://127.0.0.1/x");
  EXPECT_EQ(config.DownloadType, 3);  // the first of two wins
  EXPECT_TRUE(config.IsCheckNet);
  EXPECT_FALSE(config.IsEnableAppTelemetry);
  EXPECT_EQ(config.DlAppNameSuffix, L".s");
  EXPECT_EQ(config.m_DlAppVersion, L"9");
  EXPECT_EQ(config.InstCmd, L"/NCRC /Q");
}

TEST(InstallerConfigTest, OptionsWithoutValue) {
  InstallerConfig config;
  config.IsCheckNet = true;
  config.ApplyArguments({L"x.exe", L"-downloadurl", L"-ischecknet", L"-isenableapptelemetry"});
  EXPECT_EQ(config.DownloadUrl, L"");
  EXPECT_FALSE(config.IsCheckNet);
  EXPECT_FALSE(config.IsEnableAppTelemetry);
}

TEST(InstallerConfigTest, OptionsNotGivenKeepIniValues) {
  IniFile ini("[Install]\r\nIsCheckNet=false\r\nDownloadType=2\r\n");
  InstallerConfig config;
  config.LoadFromIni(ini.path());
  config.ApplyArguments({L"x.exe", L"-ischecknet=true"});
  EXPECT_TRUE(config.IsCheckNet);
  EXPECT_EQ(config.DownloadType, 2);
}

TEST(InstallerConfigTest, NumericOptions) {
  struct Case {
    const wchar_t* type;
    int expectedType;
    const wchar_t* scale;
    double expectedScale;
  } cases[] = {
      {L"2", 2, L"0.4", 0.4},
      {L"abc", 0, L"abc", 0.7},          // not a number
      {L"", 0, L"", 0.7},                // empty value
      {L" 3x", 3, L"0.9junk", 0.9},      // trailing text ignored
      {L"99999999999", 0, L"1e400", 0.7},  // out of range
      {L"-2147483649", 0, L"-0.1", 0.7},
      {L"-2147483648", INT32_MIN, L"inf", 0.7},
  };
  for (const Case& c : cases) {
    InstallerConfig config =
        FromArguments({std::wstring(L"-downloadtype=") + c.type, std::wstring(L"-downloadscale=") + c.scale});
    EXPECT_EQ(config.DownloadType, c.expectedType) << c.type;
    EXPECT_DOUBLE_EQ(config.DownloadScale, c.expectedScale) << c.scale;
  }
}

TEST(InstallerConfigTest, RouteChoice) {
  struct Case {
    const wchar_t* label;
    bool is64;
    int product;
    const wchar_t* route;
  } cases[] = {
      {L"XP", false, 484, L"download_silent_xp"},     {L"XP+", true, 267, L"download_silent_xp"},
      {L"Server 2003", false, 484, L"download_silent"}, {L"10", true, 484, L"download_silent"},
      {L"10", true, 267, L"download_silent_64"},      {L"7", false, 318, L"download_silent"},
  };
  for (const Case& c : cases) EXPECT_EQ(RouteName(c.label, c.is64, c.product), c.route) << c.label;
}

TEST(InstallerConfigTest, RoutePlaceholderReplacedEverywhere) {
  EXPECT_EQ(DeriveDownloadUrl(L"http://h/${ROUTE}/${ROUTE}"), L"http://h/download_silent/download_silent");
  EXPECT_EQ(DeriveDownloadUrl(L"http://h/plain"), L"http://h/plain");
}

TEST(InstallerConfigTest, ProcessRecordKnowsItsExe) {
  // Filled during static initialisation from the running test exe.
  EXPECT_EQ(g_InstallerConfig.ExeFileName, L"app_config_tests.exe");
}

}  // namespace
