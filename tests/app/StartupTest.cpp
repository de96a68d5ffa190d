#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/src/app/CrashFilter.h"
#include "installer/src/app/LibraryHardening.h"
#include "installer/src/app/SingleInstanceLock.h"

namespace {

TEST(SingleInstanceLockTest, SecondHolderIsRefusedUntilRelease) {
  SingleInstanceLock first(L"Installer_MelodrixUnitTest");
  EXPECT_EQ(first.MutexName(), L"D1A547DB89C0BC61_Installer_MelodrixUnitTest");
  ASSERT_TRUE(first.Acquire());
  {
    SingleInstanceLock second(L"Installer_MelodrixUnitTest");
    EXPECT_FALSE(second.Acquire());
  }
  first.Release();
  SingleInstanceLock third(L"Installer_MelodrixUnitTest");
  EXPECT_TRUE(third.Acquire());
}

TEST(LibraryHardeningTest, PreloadsSystemLibrariesOnly) {
  HardenLibrarySearch();
  // Present on every Windows (and Wine); a missing one must not matter.
  EXPECT_NE(::GetModuleHandleW(L"version.dll"), nullptr);
  EXPECT_NE(::GetModuleHandleW(L"msimg32.dll"), nullptr);
  for (const wchar_t* entry : kPreloadLibraries) EXPECT_EQ(entry[0], L'\\') << entry;
  EXPECT_STREQ(kPreloadLibraries[8], L"\\WindowsCodecs.dll");
}

TEST(CrashFilterTest, LetsTheSystemHandleTheCrash) {
  EXCEPTION_RECORD record{};
  record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
  CONTEXT context{};
  EXCEPTION_POINTERS pointers{&record, &context};
  EXPECT_EQ(InstallerCrashFilter(&pointers), EXCEPTION_CONTINUE_SEARCH);
}

}  // namespace
