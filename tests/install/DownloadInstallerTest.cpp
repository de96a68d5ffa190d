// The pipeline with a stand-in downloader and the fake child programs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>
#include <typeinfo>

#include "installer/src/app/InstallerConfig.h"
#include "installer/src/download/CurlDownloader.h"
#include "installer/src/download/DownloaderFactory.h"
#include "installer/src/download/MTCurlDownloader.h"
#include "installer/src/download/WinDownloader.h"
#include "installer/src/install/DownloadInstaller.h"
#include "installer/src/install/InstallEvents.h"
#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/Strings.h"
#include "installer/src/utils/TempDir.h"
#include "tests/install/TestSupport.h"

using namespace InstallTest;
using namespace std::chrono_literals;

namespace {

const std::vector<int> kRunEnds = {INSTALL_SUCCESS, IST_CODE_FAIL, DL_CODE_FAIL, UNIST_CODE_FAIL,
                                   UNIST_CODE_ERROR};

// Plays one script of download events per Start on its own thread; before
// DL_CODE_SUCCESS it "downloads" the fake package to the target path.
class ScriptedDownloader : public CDownloader {
 public:
  ScriptedDownloader(DownloadCallback callback, std::wstring target,
                     std::vector<std::vector<int>> runs)
      : callback_(std::move(callback)), target_(std::move(target)), runs_(std::move(runs)) {}
  ~ScriptedDownloader() override {
    std::vector<std::thread> threads;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      threads.swap(threads_);
    }
    for (std::thread& thread : threads) thread.join();
  }
  void Start() override {
    std::lock_guard<std::mutex> lock(mutex_);
    size_t run = starts_++;
    std::vector<int> codes = run < runs_.size() ? runs_[run] : std::vector<int>{};
    threads_.emplace_back([this, codes] {
      for (int code : codes) {
        if (code == DL_CODE_SUCCESS || code == DL_CODE_FAIL)
          ::CopyFileW(FakePackageExe().c_str(), target_.c_str(), FALSE);
        callback_(code, code == DL_CODE_PROGRESS ? 0.5 : 0, L"");
      }
    });
  }

 private:
  DownloadCallback callback_;
  std::wstring target_;
  std::vector<std::vector<int>> runs_;
  std::mutex mutex_;
  size_t starts_ = 0;
  std::vector<std::thread> threads_;
};

const std::vector<int> kGoodRun = {DL_CODE_START, DL_CODE_PROGRESS, DL_CODE_SUCCESS};

class Pipeline : public ::testing::Test {
 protected:
  Pipeline() : packageScenario_(L"MELODRIX_FAKE_PACKAGE_SCENARIO", scratch_.File(L"package.txt")),
               uninstallScenario_(L"MELODRIX_FAKE_UNINSTALLER_SCENARIO", scratch_.File(L"uninstall.txt")) {
    installDir_ = scratch_.File(L"Apps\\Melodrix");  // missing: made on DL_CODE_START
  }

  CDownloadInstaller::DownloaderFactory Factory(std::vector<std::vector<int>> runs) {
    return [this, runs](int, DownloadCallback callback, std::wstring, std::wstring target) {
      ++factoryCalls_;
      return std::unique_ptr<CDownloader>(
          std::make_unique<ScriptedDownloader>(std::move(callback), std::move(target), runs));
    };
  }

  // Runs the pipeline until an event that ends a run, then destroys it.
  std::vector<int> Run(const std::wstring& previousUninstaller,
                       std::vector<std::vector<int>> runs = {kGoodRun}) {
    CDownloadInstaller pipeline(recorder_.Callback(), L"", L"", L"", true, true, true, Factory(runs));
    pipeline.SetParams(L"http://127.0.0.1/x/0123/p.exe", previousUninstaller, installDir_, true,
                       false, true, false);
    pipeline.Start();
    packagePath_ = pipeline.PackagePath();
    EXPECT_TRUE(recorder_.WaitFor(kRunEnds, 30s));
    ::Sleep(300);  // nothing may follow the end of the run
    return recorder_.Codes();
  }

  // The previous version's uninstaller: the fake one, as installed.
  std::wstring InstallPreviousVersion() {
    ::CreateDirectoryW(previousDir_.File(L"Old").c_str(), nullptr);
    std::wstring uninstaller = previousDir_.File(L"Old\\uninst.ep");
    ::CopyFileW(FakeUninstallerExe().c_str(), uninstaller.c_str(), FALSE);
    return uninstaller;
  }

  ScratchDir scratch_;
  ScratchDir previousDir_;
  ScopedEnvironment packageScenario_;
  ScopedEnvironment uninstallScenario_;
  EventRecorder recorder_;
  std::wstring installDir_;
  std::wstring packagePath_;
  int factoryCalls_ = 0;
};

size_t IndexOf(const std::vector<int>& codes, int code) {
  return static_cast<size_t>(std::find(codes.begin(), codes.end(), code) - codes.begin());
}

TEST_F(Pipeline, NoPreviousVersionRunsDownloadThenPackage) {
  std::string record = Utils::WideToMultiByte(scratch_.File(L"cmdline.txt"), CP_UTF8);
  WriteTextFile(scratch_.File(L"package.txt"),
                "record " + record + "\nprint Progress=0.6\\nInstPath=C:\\\\M\\nState=Success\\n\n");
  auto codes = Run(L"");
  EXPECT_EQ(codes, (std::vector<int>{1001, 1002, 1003, 2001, 2002, 2002, 3000, 2003}));
  EXPECT_EQ(packagePath_, installDir_ + L"\\__Package_Melodrix.exe");
  EXPECT_FALSE(FileExists(packagePath_));
  std::string commandLine = ReadTextFile(scratch_.File(L"cmdline.txt"));
  std::string expected = Utils::WideToMultiByte(
      L"\"" + packagePath_ + L"\" /S -console=show -version=1.0.0 -adminact=true"
      L" -authorizationact=false -dsc=true -ssc=false -instdir=\"" + installDir_ + L"\" /D=" +
      installDir_, CP_UTF8);
  EXPECT_EQ(commandLine, expected);
  EXPECT_EQ(factoryCalls_, 1);
}

TEST_F(Pipeline, EachPhaseStepIsLoggedByItsHandler) {
  WriteTextFile(scratch_.File(L"package.txt"), "print State=Success\\n\n");
  ASSERT_TRUE(Utils::SetDebugLogMirror(scratch_.File(L"log.txt")));
  Run(L"");
  Utils::CloseDebugLogMirror();
  const std::string log = ReadTextFile(scratch_.File(L"log.txt"));
  // The package's worker starts inside the download handler, so its lines
  // follow "DOWNLOAD_SUCCESS" but may come before or after "DL_CODE_SUCCESS".
  auto expectInOrder = [&log](size_t at, std::initializer_list<const char*> steps) {
    for (const char* step : steps) {
      size_t found = log.find(step, at);
      EXPECT_NE(found, std::string::npos) << step << " after offset " << at << " in\n" << log;
      if (found == std::string::npos) return at;
      at = found;
    }
    return at;
  };
  const size_t downloaded = expectInOrder(
      0, {"(CDownloadInstaller::Start)", "DL_TYPE=1\r\n", "(CDownloadInstaller::OnDownloadEvent)",
          "DL_CODE_START\r\n", "DL_CODE_PROGRESS\r\n", "DOWNLOAD_SUCCESS\r\n"});
  expectInOrder(downloaded, {"DL_CODE_SUCCESS\r\n"});
  expectInOrder(downloaded, {"(CDownloadInstaller::OnInstallEvent)", "IST_CODE_START\r\n", "INSTALL_SUCCESS\r\n"});
}

TEST_F(Pipeline, PackageStillRunningAfterItsVerdictIsDeletedToo) {
  WriteTextFile(scratch_.File(L"package.txt"), "print State=Success\\n\nsleep 1000\n");
  auto codes = Run(L"");
  EXPECT_EQ(codes.back(), INSTALL_SUCCESS);
  for (int i = 0; i < 50 && FileExists(packagePath_); ++i) ::Sleep(100);
  EXPECT_FALSE(FileExists(packagePath_));
}

TEST_F(Pipeline, PackageFileIsDeletedAfterInstallFailure) {
  WriteTextFile(scratch_.File(L"package.txt"), "print Error=broken\\n\nsleep 500\n");
  auto codes = Run(L"");
  EXPECT_EQ(codes, (std::vector<int>{1001, 1002, 1003, 2001, 2002, 2004}));
  EXPECT_EQ(recorder_.Events().back(), (Event{2004, 1000, L"broken"}));
  EXPECT_FALSE(FileExists(packagePath_));
}

TEST_F(Pipeline, DownloadFailureDeletesThePackageAndStops) {
  auto codes = Run(L"", {{DL_CODE_START, DL_CODE_FAIL}});
  EXPECT_EQ(codes, (std::vector<int>{1001, 1004}));
  EXPECT_FALSE(FileExists(packagePath_));
}

TEST_F(Pipeline, RetryStartsTheSameDownloaderAgain) {
  WriteTextFile(scratch_.File(L"package.txt"), "print State=Success\\n\n");
  auto codes = Run(L"", {{DL_CODE_START, DL_CODE_RETRY}, kGoodRun});
  EXPECT_EQ(codes, (std::vector<int>{1001, 1005, 1001, 1002, 1003, 2001, 2002, 2003}));
  EXPECT_EQ(factoryCalls_, 1);
}

TEST_F(Pipeline, PreviousVersionIsRemovedFromItsTemporaryCopyFirst) {
  std::string record = Utils::WideToMultiByte(scratch_.File(L"uninstall-cmdline.txt"), CP_UTF8);
  WriteTextFile(scratch_.File(L"uninstall.txt"),
                "record " + record + "\nprint Progress=0.5\\n\nsleep 300\nprint State=Success\\n\n");
  WriteTextFile(scratch_.File(L"package.txt"), "print State=Success\\n\n");
  auto codes = Run(InstallPreviousVersion());
  EXPECT_EQ(codes, (std::vector<int>{5002, 5002, 5003, 1001, 1002, 1003, 2001, 2002, 2003}));
  std::wstring copy = CDownloadInstaller::TemporaryUninstallerPath();
  EXPECT_EQ(copy, Utils::GetTempDir() + L"Melodrix_un_asa.exe");
  std::string commandLine = ReadTextFile(scratch_.File(L"uninstall-cmdline.txt"));
  EXPECT_EQ(commandLine.rfind(Utils::WideToMultiByte(copy + L" /S -adminact=", CP_UTF8), 0), 0u)
      << commandLine;
  std::string tail = Utils::WideToMultiByte(L" -console=show _?=" + previousDir_.File(L"Old"), CP_UTF8);
  EXPECT_EQ(commandLine.substr(commandLine.size() - tail.size()), tail);
}

TEST_F(Pipeline, FailedRemovalStartsNoDownload) {
  struct Case {
    const char* scenario;
    bool runnable;  // false: the recorded uninstaller is not a program
    int end;
  };
  const Case cases[] = {{"print State=Fail\\n\n", true, UNIST_CODE_ERROR},
                        {"print Error=busy\\n\n", true, UNIST_CODE_ERROR},
                        {"", false, UNIST_CODE_FAIL}};
  for (const Case& c : cases) {
    EventRecorder recorder;
    WriteTextFile(scratch_.File(L"uninstall.txt"), c.scenario);
    std::wstring uninstaller = InstallPreviousVersion();
    if (!c.runnable) WriteTextFile(uninstaller, "not a program");
    {
      CDownloadInstaller pipeline(recorder.Callback(), L"", uninstaller, installDir_, true, true,
                                  true, Factory({kGoodRun}));
      pipeline.Start();
      ASSERT_TRUE(recorder.WaitFor(kRunEnds, 30s));
      ::Sleep(300);
    }
    auto codes = recorder.Codes();
    EXPECT_EQ(codes.back(), c.end) << c.scenario;
    EXPECT_EQ(IndexOf(codes, DL_CODE_START), codes.size()) << c.scenario;
  }
}

TEST_F(Pipeline, DestroyedDuringRemovalStartsNoFurtherPhase) {
  WriteTextFile(scratch_.File(L"uninstall.txt"), "sleep 500\nprint State=Success\\n\nsleep 200\n");
  std::wstring uninstaller = InstallPreviousVersion();
  {
    CDownloadInstaller pipeline(recorder_.Callback(), L"", uninstaller, installDir_, true, true,
                                true, Factory({kGoodRun}));
    pipeline.Start();
    ::Sleep(100);
  }  // waits for the uninstaller, which must not start the (deleted) downloader
  ::Sleep(300);
  auto codes = recorder_.Codes();
  EXPECT_EQ(codes, (std::vector<int>{5002, 5003}));
}

TEST_F(Pipeline, VanishedPreviousUninstallerIsSkipped) {
  WriteTextFile(scratch_.File(L"package.txt"), "print State=Success\\n\n");
  auto codes = Run(previousDir_.File(L"gone\\uninst.ep"));
  EXPECT_EQ(codes.front(), DL_CODE_START);
  EXPECT_EQ(codes.back(), INSTALL_SUCCESS);
}

TEST_F(Pipeline, LaterStartsReuseTheDownloaderAndRefreshTheSwitches) {
  std::string record = Utils::WideToMultiByte(scratch_.File(L"cmdline.txt"), CP_UTF8);
  WriteTextFile(scratch_.File(L"package.txt"), "record " + record + "\nprint State=Success\\n\n");
  CDownloadInstaller pipeline(recorder_.Callback(), L"", L"", installDir_, true, true, true,
                              Factory({kGoodRun, kGoodRun}));
  pipeline.Start();
  ASSERT_TRUE(recorder_.WaitFor({INSTALL_SUCCESS}, 30s));
  ::Sleep(300);
  pipeline.SetParams(L"", L"", installDir_, false, false, false, true);
  pipeline.Start();
  for (int i = 0; i < 300 && recorder_.Codes().size() < 12; ++i) ::Sleep(100);
  EXPECT_EQ(recorder_.Codes().size(), 12u);
  EXPECT_EQ(factoryCalls_, 1);
  std::string commandLine = ReadTextFile(scratch_.File(L"cmdline.txt"));
  EXPECT_NE(commandLine.find("-adminact=false -authorizationact=true -dsc=false -ssc=false"),
            std::string::npos)
      << commandLine;
}

TEST(DownloaderChoice, DownloadTypePicksTheDownloader) {
  struct Case {
    int type;
    const std::type_info& kind;
  };
  const Case cases[] = {{1, typeid(CCurlDownloader)},
                        {2, typeid(CWinDownloader)},
                        {3, typeid(CMTCurlDownloader)},
                        {7, typeid(CCurlDownloader)}};
  ScratchDir scratch;
  const int savedType = g_InstallerConfig.DownloadType;
  for (const Case& c : cases) {
    g_InstallerConfig.DownloadType = c.type;
    EventRecorder recorder;
    std::string created;
    int seenType = 0;
    // The real choice, inspected and then replaced by a downloader that does nothing.
    auto factory = [&](int type, DownloadCallback callback, std::wstring url, std::wstring target) {
      seenType = type;
      std::unique_ptr<CDownloader> real =
          CreateDownloader(type, std::move(callback), std::move(url), std::move(target));
      created = typeid(*real).name();
      return std::unique_ptr<CDownloader>(
          std::make_unique<ScriptedDownloader>(DownloadCallback(), L"", std::vector<std::vector<int>>{}));
    };
    {
      CDownloadInstaller pipeline(recorder.Callback(), L"http://127.0.0.1:9/a/b/c.exe", L"",
                                  scratch.path(), true, true, true, factory);
      pipeline.Start();
    }
    EXPECT_EQ(seenType, c.type);
    EXPECT_EQ(created, c.kind.name()) << "DownloadType " << c.type;
  }
  g_InstallerConfig.DownloadType = savedType;
}

}  // namespace
