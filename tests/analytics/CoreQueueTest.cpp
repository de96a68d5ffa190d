// The queue bound, the put-back of a failed batch, the staging file and the
// encodings of a batch body. The endpoint here refuses connections, so every
// send fails quickly; sending to a live collector is tested from Python.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <thread>

#include "source/src/sdk/BatchConsumer.h"
#include "source/src/sdk/BatchEncoding.h"
#include "source/src/sdk/SendBatch.h"

using namespace telemetry_core;

namespace {

const char kDeadEndpoint[] = "http://127.0.0.1:9/";

std::string Rec(int i) { return "{\"n\":" + std::to_string(i) + "}"; }

std::string TempFile(const char* name) {
  char dir[MAX_PATH];
  DWORD n = GetTempPathA(MAX_PATH, dir);
  EXPECT_GT(n, 0u);
  std::string path = std::string(dir) + name;
  DeleteFileA(path.c_str());
  return path;
}

TEST(BatchQueue, KeepsTheNewest1024) {
  BatchConsumer c(kDeadEndpoint, "");
  for (int i = 0; i < 1025; ++i) c.Add(Rec(i));
  auto q = c.QueueSnapshot();
  ASSERT_EQ(q.size(), 1024u);
  EXPECT_EQ(q.front(), Rec(1));
  EXPECT_EQ(q.back(), Rec(1024));
}

// A loopback listener that never accepts: a request to it connects (the
// backlog takes it) and then times out after the client's 3 seconds.
class SilentListener {
 public:
  SilentListener() {
    WSADATA wsa;
    EXPECT_EQ(WSAStartup(MAKEWORD(2, 2), &wsa), 0);
    sock_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(bind(sock_, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    EXPECT_EQ(listen(sock_, 4), 0);
    int len = sizeof addr;
    EXPECT_EQ(getsockname(sock_, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    port_ = ntohs(addr.sin_port);
  }
  ~SilentListener() {
    closesocket(sock_);
    WSACleanup();
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

 private:
  SOCKET sock_ = INVALID_SOCKET;
  int port_ = 0;
};

TEST(BatchQueue, FailedFlushPutsBackTheNewestThatFit) {
  SilentListener stall;
  BatchConsumer c(stall.Url(), "");
  for (int i = 0; i < 1000; ++i) c.Add(Rec(i));
  testing::internal::CaptureStderr();
  bool sent = true;
  std::thread flusher([&] { sent = c.Flush(); });
  Sleep(800);  // the batch of 30 is out; 970 are left
  EXPECT_EQ(c.QueueSize(), 970u);
  for (int i = 0; i < 30; ++i) c.Add(Rec(5000 + i));  // back to 1000 while the send hangs
  flusher.join();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(sent);
  EXPECT_NE(err.find("TelemetryCore SDK send failed: "), std::string::npos) << err;
  auto q = c.QueueSnapshot();
  ASSERT_EQ(q.size(), 1024u);
  EXPECT_EQ(q.front(), Rec(6));  // the earliest 6 of the batch did not fit
  EXPECT_EQ(q[23], Rec(29));
  EXPECT_EQ(q[24], Rec(30));
  EXPECT_EQ(q.back(), Rec(5029));
}

TEST(BatchQueue, RefusedConnectionKeepsTheWholeBatch) {
  BatchConsumer c(kDeadEndpoint, "");
  for (int i = 0; i < 40; ++i) c.Add(Rec(i));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(c.FlushAll());
  testing::internal::GetCapturedStderr();
  auto q = c.QueueSnapshot();
  ASSERT_EQ(q.size(), 40u);
  EXPECT_EQ(q.front(), Rec(0));
}

TEST(BatchQueue, StagingFileLoadsValidLinesAtTheHeadAndIsTruncated) {
  std::string path = TempFile("melodrix-core-staging.txt");
  {
    std::ofstream out(path);
    out << Rec(1) << "\n" << Rec(2) << "\nnot a record\n" << Rec(3) << "\n\n" << Rec(4) << "\n" << Rec(5) << "\n";
  }
  {
    BatchConsumer c(kDeadEndpoint, path);
    c.Add(Rec(100));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(c.Flush());  // loads the staging file first, then fails to send
    testing::internal::GetCapturedStderr();
    auto q = c.QueueSnapshot();
    ASSERT_EQ(q.size(), 6u);
    EXPECT_EQ(q[0], Rec(1));
    EXPECT_EQ(q[4], Rec(5));
    EXPECT_EQ(q[5], Rec(100));
    std::ifstream in(path);
    std::string line;
    EXPECT_FALSE(std::getline(in, line)) << "staging file should be empty after the load";
  }
  // Closing writes the unsent queue back, head first.
  std::ifstream in(path);
  std::string first;
  ASSERT_TRUE(std::getline(in, first));
  EXPECT_EQ(first, Rec(1));
  int lines = 1;
  for (std::string l; std::getline(in, l);) ++lines;
  EXPECT_EQ(lines, 6);
  DeleteFileA(path.c_str());
}

TEST(BatchQueue, StagedLinesBeyondRoomDropTheEarliest) {
  std::string path = TempFile("melodrix-core-staging-full.txt");
  {
    std::ofstream out(path);
    for (int i = 0; i < 10; ++i) out << Rec(i) << "\n";
  }
  BatchConsumer c(kDeadEndpoint, path);
  for (int i = 0; i < 1020; ++i) c.Add(Rec(1000 + i));
  testing::internal::CaptureStderr();
  c.Flush();
  testing::internal::GetCapturedStderr();
  auto q = c.QueueSnapshot();
  ASSERT_EQ(q.size(), 1024u);
  EXPECT_EQ(q[0], Rec(6));  // only the last 4 staged lines fitted
}

TEST(BatchEncoding, Base64PaddingAndUrlEncoding) {
  EXPECT_EQ(Base64Encode(""), "");
  EXPECT_EQ(Base64Encode("f"), "Zg==");
  EXPECT_EQ(Base64Encode("fo"), "Zm8=");
  EXPECT_EQ(Base64Encode("foo"), "Zm9v");
  EXPECT_EQ(Base64Encode("\xfb\xff"), "+/8=");
  EXPECT_EQ(UrlEncode("Az09-._~+/= "), "Az09-._~%2B%2F%3D%20");
}

TEST(BatchEncoding, BodyShowsThePaddingBeforeTheGzipFlag) {
  bool sawOne = false, sawTwo = false;
  for (int len = 1; len < 200 && !(sawOne && sawTwo); ++len) {
    std::string batch = "[" + std::string(static_cast<size_t>(len), 'x') + "]";
    std::string compressed, body;
    ASSERT_TRUE(GzipCompress(batch, compressed));
    ASSERT_TRUE(BuildBatchBody(batch, body));
    ASSERT_EQ(body.rfind("data_list=", 0), 0u);
    size_t rest = compressed.size() % 3;
    if (rest == 1) {
      sawOne = true;
      EXPECT_EQ(body.substr(body.size() - 13), "%3D%3D&gzip=1");
    } else if (rest == 2) {
      sawTwo = true;
      EXPECT_EQ(body.substr(body.size() - 10), "%3D&gzip=1");
      EXPECT_NE(body.substr(body.size() - 13, 3), "%3D");
    } else {
      EXPECT_EQ(body.find("%3D"), std::string::npos);
    }
  }
  EXPECT_TRUE(sawOne);
  EXPECT_TRUE(sawTwo);
}

TEST(BatchEncoding, GzipHasTheGzipWrapper) {
  std::string out;
  ASSERT_TRUE(GzipCompress(std::string(100000, 'a'), out));
  ASSERT_GT(out.size(), 18u);
  EXPECT_EQ(static_cast<unsigned char>(out[0]), 0x1f);
  EXPECT_EQ(static_cast<unsigned char>(out[1]), 0x8b);
}

}  // namespace
