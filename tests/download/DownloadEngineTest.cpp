#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "installer/src/download/CaBundle.h"
#include "installer/src/download/DownloaderFactory.h"
#include "installer/src/download/MTCurlDownloader.h"
#include "installer/src/download/RangePlan.h"
#include "installer/src/download/RestartableWorker.h"
#include "installer/src/download/WinDownloader.h"
#include "installer/src/utils/Strings.h"

namespace {

using Download::ByteRange;
constexpr int64_t MiB = 1048576;

TEST(RangePlanTest, SplitsAtTwentyMebibytes) {
  struct Case {
    int64_t length;
    std::vector<std::pair<int64_t, int64_t>> ranges;
  };
  const Case cases[] = {
      {20 * MiB, {{0, 10 * MiB - 1}, {10 * MiB, 20 * MiB - 1}}},
      {20 * MiB - 1, {{0, 20 * MiB - 2}}},
      {20 * MiB + 1, {{0, 10 * MiB - 1}, {10 * MiB, 20 * MiB}}},
      {256, {{0, 255}}},
      {1, {{0, 0}}},
      // Never more than two ranges, however long the package.
      {100 * MiB + 3, {{0, 50 * MiB}, {50 * MiB + 1, 100 * MiB + 2}}},
      {0, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<int64_t, int64_t>> got;
    for (const ByteRange& r : Download::PlanRanges(c.length)) got.emplace_back(r.first, r.last);
    EXPECT_EQ(got, c.ranges) << "length " << c.length;
  }
}

TEST(RangePlanTest, PartFilesAreNumbered) {
  EXPECT_EQ(Download::PartFilePath("C:\\a\\p.exe", 0), "C:\\a\\p.exe_0");
  EXPECT_EQ(Download::PartFilePath("C:\\a\\p.exe", 1), "C:\\a\\p.exe_1");
}

// The range write function takes exactly the bytes its range still wants.
TEST(RangeWriteTest, TakesOnlyTheWantedBytes) {
  struct Case {
    const char* name;
    std::vector<size_t> blocks;
    std::vector<size_t> taken;
  };
  const Case cases[] = {
      {"last block one byte short, then one byte", {9, 1}, {9, 1}},
      {"block beyond the range", {15}, {10}},
      {"block after the range is full", {10, 1}, {10, 0}},
      {"several small blocks", {3, 3, 3, 3}, {3, 3, 3, 1}},
  };
  wchar_t folder[MAX_PATH];
  ASSERT_GT(::GetTempPathW(MAX_PATH, folder), 0u);
  const std::string path = std::string(Utils::WideToMultiByte(folder, CP_ACP)) + "mdx_range_write.bin";
  std::string source(64, '\0');
  for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<char>('A' + i % 26);
  for (const Case& c : cases) {
    ::DeleteFileA(path.c_str());
    DownloadPartNode node;
    node.stream.reset(std::fopen(path.c_str(), "ab+"));
    ASSERT_TRUE(node.stream) << c.name;
    node.start = 10;
    node.end = 19;
    size_t offset = 0;
    std::vector<size_t> taken;
    for (size_t block : c.blocks) {
      taken.push_back(CMTCurlDownloader::WriteRange(&source[offset], 1, block, &node));
      offset += block;
    }
    node.stream.reset();
    EXPECT_EQ(taken, c.taken) << c.name;
    EXPECT_EQ(node.start, 20) << c.name;
    EXPECT_EQ(node.downloaded.load(), 10) << c.name;
    Utils::UniqueCFile file(std::fopen(path.c_str(), "rb"));
    ASSERT_TRUE(file) << c.name;
    char content[32] = {};
    EXPECT_EQ(std::fread(content, 1, sizeof content, file.get()), 10u) << c.name;
    EXPECT_EQ(std::string(content, 10), source.substr(0, 10)) << c.name;
  }
  ::DeleteFileA(path.c_str());

  DownloadPartNode closed;
  closed.start = 0;
  closed.end = 9;
  EXPECT_EQ(CMTCurlDownloader::WriteRange(&source[0], 1, 5, &closed), 0u);
}

TEST(DownloaderFactoryTest, TypeSelectsImplementation) {
  const std::pair<int, DownloaderKind> cases[] = {
      {1, DownloaderKind::SingleStream}, {0, DownloaderKind::SingleStream}, {4, DownloaderKind::SingleStream},
      {-7, DownloaderKind::SingleStream}, {2, DownloaderKind::System},      {3, DownloaderKind::MultiPart},
  };
  for (const auto& c : cases) EXPECT_EQ(DownloaderKindFor(c.first), c.second) << "type " << c.first;
}

TEST(WinDownloaderTest, RequestUrlEncoding) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"http://h/a b/中.exe?x=1&y=%41", L"http://h/a+b/%E4%B8%AD.exe?x=1&y=%41"},
      {L"file:///C:/a b/中.exe", L"file:///C:/a b/中.exe"},
  };
  for (const auto& c : cases) EXPECT_EQ(CWinDownloader::RequestUrl(c.first), c.second);
}

TEST(WinDownloaderTest, DestroyingAnUnstartedDownloaderDoesNotHang) {
  std::atomic<int> events{0};
  {
    CWinDownloader downloader([&](int, double, const wchar_t*) { ++events; }, L"http://127.0.0.1:1/x", L"C:\\x");
  }
  EXPECT_EQ(events.load(), 0);
}

TEST(CaBundleTest, ReadsTheEnvironment) {
  ASSERT_TRUE(::SetEnvironmentVariableW(L"MELODRIX_CA_BUNDLE", L"C:\\证书\\ca.pem"));
  EXPECT_EQ(CaBundlePath(), "C:\\\xe8\xaf\x81\xe4\xb9\xa6\\ca.pem");
  ASSERT_TRUE(::SetEnvironmentVariableW(L"MELODRIX_CA_BUNDLE", nullptr));
  EXPECT_EQ(CaBundlePath(), "");
}

// The owner restarts the worker from inside the worker's own run, as the
// pipeline does on DL_CODE_RETRY: the second run must start only after the
// first one returned, on another thread, and everything must be joined.
TEST(RestartableWorkerTest, RestartFromInsideRunsAfterTheFirstRunEnds) {
  std::mutex lock;
  std::vector<std::string> trace;
  std::vector<DWORD> threads;
  std::atomic<int> runs{0};
  HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(done, nullptr);
  {
    Download::RestartableWorker* self = nullptr;
    Download::RestartableWorker worker(L"ABDEF", [&] {
      const int run = ++runs;
      {
        std::lock_guard<std::mutex> guard(lock);
        trace.push_back("begin" + std::to_string(run));
        threads.push_back(::GetCurrentThreadId());
      }
      if (run == 1) {
        ASSERT_TRUE(self->Start());
        ::Sleep(200);  // the second run must not overlap this one
      } else {
        ::SetEvent(done);
      }
      std::lock_guard<std::mutex> guard(lock);
      trace.push_back("end" + std::to_string(run));
    });
    self = &worker;
    ASSERT_TRUE(worker.Start());
    ASSERT_EQ(::WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
  }
  ::CloseHandle(done);
  EXPECT_EQ(trace, (std::vector<std::string>{"begin1", "end1", "begin2", "end2"}));
  ASSERT_EQ(threads.size(), 2u);
  EXPECT_NE(threads[0], threads[1]);
}

TEST(RestartableWorkerTest, StartFromAnotherThreadWaitsForTheRunningOne) {
  std::atomic<int> running{0};
  std::atomic<int> overlaps{0};
  std::atomic<int> runs{0};
  {
    Download::RestartableWorker worker(L"ABDEF", [&] {
      if (++running > 1) ++overlaps;
      ::Sleep(100);
      ++runs;
      --running;
    });
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(worker.Start());
  }
  EXPECT_EQ(runs.load(), 3);
  EXPECT_EQ(overlaps.load(), 0);
}

}  // namespace
