// Runs the fake big package as a real child process.
#include <gtest/gtest.h>

#include <chrono>

#include "installer/src/install/ChildProcess.h"
#include "installer/src/install/InstallEvents.h"
#include "installer/src/install/PackageInstaller.h"
#include "installer/src/utils/Exception.h"
#include "installer/src/utils/Strings.h"
#include "tests/install/TestSupport.h"

using namespace InstallTest;
using namespace std::chrono_literals;

namespace {

constexpr wchar_t kScenarioVariable[] = L"MELODRIX_FAKE_PACKAGE_SCENARIO";
const std::vector<int> kRunEnds = {INSTALL_SUCCESS, IST_CODE_FAIL};

class PackageRun : public ::testing::Test {
 protected:
  // Runs the fake package with the scenario until the run's worker has ended.
  std::vector<Event> Run(const std::string& scenario, const std::wstring& installDir,
                         Install::PackageSwitches switches = {}) {
    WriteTextFile(scratch_.File(L"scenario.txt"), scenario);
    ScopedEnvironment environment(kScenarioVariable, scratch_.File(L"scenario.txt"));
    {
      Install::PackageInstaller installer(recorder_.Callback(), L"\"" + FakePackageExe() + L"\"",
                                          installDir);
      installer.SetSwitches(switches);
      installer.Start();
      commandLine_ = installer.CommandLine();
      EXPECT_TRUE(recorder_.WaitFor(kRunEnds, 20s));
    }  // the destructor waits for the child and the worker
    return recorder_.Events();
  }

  std::string RecordLine() {
    return "record " + Utils::WideToMultiByte(scratch_.File(L"cmdline.txt"), CP_UTF8) + "\n";
  }

  ScratchDir scratch_;
  EventRecorder recorder_;
  std::wstring commandLine_;
};

TEST_F(PackageRun, SilentPackageThatExitsCountsAsSuccess) {
  for (const char* exitCode : {"0", "3"}) {
    EventRecorder recorder;
    WriteTextFile(scratch_.File(L"scenario.txt"), std::string("exit ") + exitCode + "\n");
    ScopedEnvironment environment(kScenarioVariable, scratch_.File(L"scenario.txt"));
    {
      Install::PackageInstaller installer(recorder.Callback(), L"\"" + FakePackageExe() + L"\"",
                                          scratch_.path());
      installer.Start();
      ASSERT_TRUE(recorder.WaitFor(kRunEnds, 20s));
    }
    EXPECT_EQ(recorder.Events(),
              (std::vector<Event>{{2001, 0, L""}, {2002, 0, L""}, {2003, 1, L""}}))
        << "exit code " << exitCode;
  }
}

TEST_F(PackageRun, PackageReceivesTheCommandLineExactly) {
  Run(RecordLine(), scratch_.path(), Install::PackageSwitches{true, false, true, false});
  std::wstring expected = L"\"" + FakePackageExe() +
                          L"\" /S -console=show -version=1.0.0 -adminact=true"
                          L" -authorizationact=false -dsc=true -ssc=false -instdir=\"" +
                          scratch_.path() + L"\" /D=" + scratch_.path();
  EXPECT_EQ(commandLine_, expected);
  EXPECT_EQ(ReadTextFile(scratch_.File(L"cmdline.txt")), Utils::WideToMultiByte(expected, CP_UTF8));
}

TEST_F(PackageRun, VerdictEndsReadingWhileThePackageKeepsRunning) {
  auto started = std::chrono::steady_clock::now();
  auto events = Run(
      "print Progress=0.5\\r\\nState=Success\\r\\n\n"
      "sleep 1500\n"
      "print Progress=0.9\\nError=too late\\n\n"
      "sleep 300\n",
      scratch_.path());
  EXPECT_EQ(events, (std::vector<Event>{
                        {2001, 0, L""}, {2002, 0, L""}, {2002, 0.5, L""}, {2003, 0, L""}}));
  // The worker waited for the package to end.
  EXPECT_GE(std::chrono::steady_clock::now() - started, 1500ms);
}

TEST_F(PackageRun, PackageThatWritesMuchAfterItsVerdictStillEnds) {
  // More than any pipe buffer holds: the run must not block on a full pipe.
  std::string scenario = "print State=Success\\n\nsleep 200\n";
  for (int i = 0; i < 200; ++i) scenario += "print " + std::string(500, 'x') + "\\n\n";
  auto events = Run(scenario, scratch_.path());
  EXPECT_EQ(events.back(), (Event{2003, 0, L""}));
}

TEST_F(PackageRun, LastLinesBeforeExitAreRead) {
  auto events = Run("print State=Fail\\n\nexit 0\n", scratch_.path());
  EXPECT_EQ(events.back(), (Event{2004, 0, L"安装包安装失败"}));
  EXPECT_EQ(events.size(), 3u);
}

// The pauses are long against the reader's 100 ms so that each print is a
// chunk of its own even on a loaded machine.
TEST_F(PackageRun, ChunksAreParsedSeparatelyAndEncodeAppliesToTheNext) {
  auto events = Run(
      "encoding utf8\n"
      "print InstPath=C:\\\\X\\r\\nEncode=UTF8\\nMessage=\xE4\xBD\xA0\n"  // one chunk
      "sleep 700\n"
      "print Message=\xE4\xBD\xA0\\nProg\n"
      "sleep 700\n"
      "print ress=0.7\\n\n"
      "sleep 700\n"
      "print StartupStyle=UserStartup\\nState=Success\\n\n",
      scratch_.path());
  ASSERT_EQ(events.size(), 7u);
  EXPECT_EQ(events[2], (Event{3000, 0, L"C:\\X\r"}));
  // The first Message was decoded with the ANSI code page: not the UTF-8 text.
  EXPECT_EQ(events[3].code, 3009);
  EXPECT_NE(events[3].text, L"你");
  EXPECT_EQ(events[4], (Event{3009, 0, L"你"}));
  // "Prog" / "ress=0.7" are two lines and neither is a key.
  EXPECT_EQ(events[5], (Event{3005, 2, L""}));
  EXPECT_EQ(events[6], (Event{2003, 0, L""}));
}

TEST_F(PackageRun, PackageThatCannotStartFails) {
  Install::PackageInstaller installer(recorder_.Callback(),
                                      L"\"" + scratch_.File(L"missing.exe") + L"\"", scratch_.path());
  installer.Start();
  ASSERT_TRUE(recorder_.WaitFor(kRunEnds, 20s));
  EXPECT_EQ(recorder_.Events(),
            (std::vector<Event>{{2001, 0, L""}, {2002, 0, L""}, {2004, 2, L""}}));
}

TEST_F(PackageRun, CommandLineTooLongForTheLauncherIsALaunchFailure) {
  std::wstring longDirectory = scratch_.path() + L"\\" + std::wstring(600, L'd');
  Install::PackageInstaller installer(recorder_.Callback(), L"\"" + FakePackageExe() + L"\"",
                                      longDirectory);
  installer.Start();
  ASSERT_TRUE(recorder_.WaitFor(kRunEnds, 20s));
  EXPECT_GE(installer.CommandLine().size(), Install::ChildProcess::kCommandLineCapacity);
  EXPECT_EQ(recorder_.Events().back(), (Event{2004, 2, L""}));
}

TEST_F(PackageRun, SecondStartRunsAgainAfterTheFirstEnded) {
  WriteTextFile(scratch_.File(L"scenario.txt"), "print Progress=0.4\\n\nsleep 300\n");
  ScopedEnvironment environment(kScenarioVariable, scratch_.File(L"scenario.txt"));
  {
    Install::PackageInstaller installer(recorder_.Callback(), L"\"" + FakePackageExe() + L"\"",
                                        scratch_.path());
    installer.Start();
    installer.Start();  // waits for the first run's worker
  }
  EXPECT_EQ(recorder_.Codes(), (std::vector<int>{2001, 2002, 2002, 2003, 2001, 2002, 2002, 2003}));
}

TEST(ChildProcess, LaunchFailureThrows) {
  Install::ChildProcess child;
  EXPECT_THROW(child.Launch(L"\"C:\\no\\such\\program.exe\""), Utils::Exception);
  Install::ChildProcess tooLong;
  EXPECT_THROW(tooLong.Launch(std::wstring(1024, L'a')), Utils::Exception);
}

}  // namespace
