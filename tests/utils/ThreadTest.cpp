#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "installer/src/utils/Thread.h"

namespace {

TEST(ThreadTest, RunsBodyWithArgumentAfterStart) {
  std::atomic<int> seen{0};
  int argument = 41;
  Utils::Thread thread(&argument, L"ABDEF", [&](void* p) { seen = *static_cast<int*>(p) + 1; });
  ASSERT_TRUE(thread.Created());
  ::Sleep(50);
  EXPECT_EQ(seen.load(), 0);  // created suspended
  EXPECT_EQ(thread.DebuggerName(), L"ABDEF");
  ASSERT_TRUE(thread.Start());
  thread.Join();
  EXPECT_EQ(seen.load(), 42);
  EXPECT_EQ(thread.Id(), 0xFFFFFFFFu);
  EXPECT_FALSE(thread.Created());
  thread.Join();  // a second join finds no handle
  EXPECT_FALSE(thread.Start());
}

TEST(ThreadTest, UnnamedThreadIsNamedAfterItsId) {
  Utils::Thread thread(nullptr, L"", [](void*) {});
  ASSERT_TRUE(thread.Created());
  EXPECT_EQ(thread.DebuggerName(), L"t" + std::to_wstring(thread.Id()));
  thread.Start();
}  // destruction joins

TEST(ThreadTest, KnowsItsOwnThread) {
  std::atomic<bool> inside{false};
  Utils::Thread* self = nullptr;
  Utils::Thread thread(nullptr, L"UnInstaller", [&](void*) { inside = self->IsCurrentThread(); });
  self = &thread;
  EXPECT_FALSE(thread.IsCurrentThread());
  thread.Start();
  thread.Join();
  EXPECT_TRUE(inside.load());
}

}  // namespace
