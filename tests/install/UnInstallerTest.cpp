// Runs the fake previous-version uninstaller as a real child process.
#include <gtest/gtest.h>

#include <chrono>

#include "installer/src/install/InstallEvents.h"
#include "installer/src/install/UnInstaller.h"
#include "installer/src/utils/Accounts.h"
#include "installer/src/utils/Strings.h"
#include "tests/install/TestSupport.h"

using namespace InstallTest;
using namespace std::chrono_literals;

namespace {

constexpr wchar_t kScenarioVariable[] = L"MELODRIX_FAKE_UNINSTALLER_SCENARIO";

class UninstallRun : public ::testing::Test {
 protected:
  // Runs the uninstaller (to its end) with the scenario; returns its events.
  std::vector<Event> Run(const std::wstring& executable, const std::string& scenario) {
    WriteTextFile(scratch_.File(L"scenario.txt"), scenario);
    ScopedEnvironment environment(kScenarioVariable, scratch_.File(L"scenario.txt"));
    {
      Install::UnInstaller uninstaller(recorder_.Callback(), executable, previous_.path());
      uninstaller.Start();
      commandLine_ = uninstaller.CommandLine();
    }  // the destructor waits for the worker, which waits for the child
    return recorder_.Events();
  }

  ScratchDir scratch_;
  ScratchDir previous_;
  EventRecorder recorder_;
  std::wstring commandLine_;
};

TEST_F(UninstallRun, MissingCopyFails) {
  auto events = Run(scratch_.File(L"Melodrix_un_asa.exe"), "");
  EXPECT_EQ(events, (std::vector<Event>{{5004, 1, L"可执行卸载文件不存在"}}));
}

TEST_F(UninstallRun, ReceivesItsCommandLineAndRemovesFiles) {
  WriteTextFile(previous_.File(L"uninst.ep"), "x");
  std::string record = Utils::WideToMultiByte(scratch_.File(L"cmdline.txt"), CP_UTF8);
  auto events = Run(FakeUninstallerExe(), "record " + record + "\ndelete uninst.ep\n");
  std::wstring user;
  bool consoleAdmin = Utils::GetConsoleUserName(user) && Utils::IsAdminAccount(user);
  std::wstring expected = FakeUninstallerExe() + L" /S -adminact=" +
                          (consoleAdmin ? L"true" : L"false") + L" -authorizationact=" +
                          (Utils::IsRunAsAdmin() ? L"true" : L"false") + L" -console=show _?=" +
                          previous_.path();
  EXPECT_EQ(commandLine_, expected);
  EXPECT_EQ(ReadTextFile(scratch_.File(L"cmdline.txt")), Utils::WideToMultiByte(expected, CP_UTF8));
  EXPECT_FALSE(FileExists(previous_.File(L"uninst.ep")));
  // No verdict line: ending counts as success.
  EXPECT_EQ(events, (std::vector<Event>{{5002, 0, L""}, {5003, 1, L""}}));
}

TEST_F(UninstallRun, SuccessIsSentOnceAndLaterProgressStillArrives) {
  auto events = Run(FakeUninstallerExe(),
                    "print Progress=0.5\\r\\nState=Success\\r\\n\n"
                    "sleep 300\n"
                    "print Progress=0.8\\n\n"
                    "sleep 300\n"
                    "print Progress=1\\n\n");
  EXPECT_EQ(events, (std::vector<Event>{{5002, 0, L""},
                                        {5002, 0.5, L""},
                                        {5003, 0, L""},
                                        {5002, 0.8, L""},
                                        {5002, 1, L""}}));
}

TEST_F(UninstallRun, ErrorAndFailAreErrors) {
  auto events = Run(FakeUninstallerExe(), "encoding utf8\nprint Encode=UTF8\\n\nsleep 300\n"
                                          "print Error=\xE6\x96\x87\xE4\xBB\xB6\xE5\x8D\xA0\xE7\x94\xA8\\n\n");
  EXPECT_EQ(events, (std::vector<Event>{{5002, 0, L""}, {5005, 0, L"文件占用"}}));

  EventRecorder second;
  WriteTextFile(scratch_.File(L"scenario.txt"), "print State=Fail\\n\nexit 1\n");
  ScopedEnvironment environment(kScenarioVariable, scratch_.File(L"scenario.txt"));
  {
    Install::UnInstaller uninstaller(second.Callback(), FakeUninstallerExe(), previous_.path());
    uninstaller.Start();
  }
  EXPECT_EQ(second.Events(), (std::vector<Event>{{5002, 0, L""}, {5005, 0, L"安装包卸载失败"}}));
}

TEST_F(UninstallRun, CommandLineTooLongIsALaunchFailure) {
  std::wstring longDirectory(1100, L'p');
  Install::UnInstaller uninstaller(recorder_.Callback(), FakeUninstallerExe(), longDirectory);
  uninstaller.Start();
  ASSERT_TRUE(recorder_.WaitFor({UNIST_CODE_FAIL, UNIST_CODE_SUCCESS}, 20s));
  EXPECT_EQ(recorder_.Events(), (std::vector<Event>{{5002, 0, L""}, {5004, 2, L""}}));
}

}  // namespace
