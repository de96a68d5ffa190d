#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "SkinUI/archive/MemoryByteStream.h"
#include "SkinUI/archive/SkinArchive.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "tests/skinui/TestPaths.h"

using namespace SkinUI;

namespace {

// Every plain file under dir, by "/"-separated relative name.
void ListFiles(const std::wstring& dir, const std::wstring& prefix, std::map<std::wstring, std::wstring>* out) {
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW((dir + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ListFiles(dir + name + L"\\", prefix + name + L"/", out);
    } else {
      (*out)[prefix + name] = dir + name;
    }
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
}

std::vector<unsigned char> FixtureBytes() { return SkinUITest::ReadBytes(SkinUITest::FixtureArchivePath()); }

}  // namespace

TEST(SkinArchive, EveryFileReadsBackByteForByte) {
  const std::vector<unsigned char> bytes = FixtureBytes();
  ASSERT_FALSE(bytes.empty());
  auto archive = CSkinArchive::OpenFromMemory(bytes.data(), bytes.size());
  ASSERT_NE(nullptr, archive);

  std::map<std::wstring, std::wstring> files;
  ListFiles(SkinUITest::FixtureDir(), L"", &files);
  ASSERT_GE(files.size(), 6u);
  EXPECT_EQ(files.size(), archive->Entries().size());  // directories get no entry
  for (const auto& [name, path] : files) {
    uint32_t index = 0;
    uint64_t size = 0;
    ASSERT_TRUE(archive->Find(name.c_str(), &index, &size)) << name;
    const std::vector<unsigned char> expected = SkinUITest::ReadBytes(path);
    ASSERT_EQ(expected.size(), size) << name;
    std::vector<unsigned char> actual(static_cast<size_t>(size) + 1, 0xCD);
    EXPECT_EQ(0, archive->CopyOut(index, actual.data()));
    EXPECT_EQ(0xCD, actual.back());  // nothing written past the file
    actual.pop_back();
    EXPECT_TRUE(expected == actual) << name;
  }
  EXPECT_EQ(-1, archive->CopyOut(100000, nullptr));
}

TEST(SkinArchive, NamesMatchBySeparatorAndLetterCaseOnly) {
  const std::vector<unsigned char> bytes = FixtureBytes();
  auto archive = CSkinArchive::OpenFromMemory(bytes.data(), bytes.size());
  ASSERT_NE(nullptr, archive);
  uint32_t slash = 0, backslash = 0, upper = 0;
  uint64_t size = 0;
  ASSERT_TRUE(archive->Find(L"res/mainWnd/bg1.png", &slash, &size));
  ASSERT_TRUE(archive->Find(L"res\\mainWnd\\bg1.png", &backslash, &size));
  ASSERT_TRUE(archive->Find(L"RES\\MAINWND\\BG1.PNG", &upper, &size));
  EXPECT_EQ(slash, backslash);
  EXPECT_EQ(slash, upper);
  EXPECT_TRUE(archive->Find(L"MainWnd.xml", nullptr, nullptr));
  const wchar_t* missing[] = {L"res//mainWnd/bg1.png", L"./mainWnd.xml", L"res/mainWnd", L"res/emptydir",
                              L"mainWnd.xm", L"mainWnd.xml2", L""};
  for (const wchar_t* name : missing) EXPECT_FALSE(archive->Find(name, nullptr, nullptr)) << name;
}

TEST(SkinArchive, RejectsBytesThatAreNoArchive) {
  const std::vector<unsigned char> junk(1000, 0x37);
  EXPECT_EQ(nullptr, CSkinArchive::OpenFromMemory(junk.data(), junk.size()));
  std::vector<unsigned char> truncated = FixtureBytes();
  truncated.resize(truncated.size() / 2);
  EXPECT_EQ(nullptr, CSkinArchive::OpenFromMemory(truncated.data(), truncated.size()));
  EXPECT_EQ(nullptr, CSkinArchive::OpenFromFile(SkinUITest::ExeDir() + L"no-such.7z"));
  auto fromFile = CSkinArchive::OpenFromFile(SkinUITest::FixtureArchivePath());
  ASSERT_NE(nullptr, fromFile);
  EXPECT_TRUE(fromFile->Find(L"res\\common\\blob.bin", nullptr, nullptr));
}

TEST(MemoryByteStream, ReadsAndSeeksWithinItsCopy) {
  const unsigned char data[5] = {1, 2, 3, 4, 5};
  MemoryByteStream stream(data, sizeof(data));
  unsigned char buffer[8] = {};
  size_t size = 3;
  EXPECT_EQ(SZ_OK, stream.Read(buffer, &size));
  EXPECT_EQ(3u, size);
  size = 8;
  EXPECT_EQ(SZ_OK, stream.Read(buffer, &size));
  EXPECT_EQ(2u, size);
  EXPECT_EQ(4, buffer[0]);
  size = 8;
  EXPECT_EQ(SZ_OK, stream.Read(buffer, &size));
  EXPECT_EQ(0u, size);  // at the end

  Int64 offset = 0;
  EXPECT_EQ(SZ_OK, stream.Seek(&offset, SZ_SEEK_END));
  EXPECT_EQ(5, offset);
  offset = 1;
  EXPECT_EQ(SZ_OK, stream.Seek(&offset, SZ_SEEK_SET));
  offset = 0;
  EXPECT_EQ(SZ_OK, stream.Seek(&offset, SZ_SEEK_CUR));
  EXPECT_EQ(1, offset);
  EXPECT_EQ(kSeekInvalidOrigin, stream.Seek(&offset, static_cast<ESzSeek>(7)));
}

TEST(ResourceSettings, TheFirstArchiveFromMemoryStaysInUse) {
  CUIPaintManager::ResetResourceSettings();
  CUIPaintManager::Set7zFormat(true);
  const std::vector<unsigned char> bytes = FixtureBytes();
  CUIPaintManager::SetArchiveFromMemory(bytes.data(), static_cast<unsigned>(bytes.size()));
  const CSkinArchive* first = CUIPaintManager::GetArchive();
  ASSERT_NE(nullptr, first);
  EXPECT_STREQ(L"membuffer", CUIPaintManager::GetArchiveName().GetData());

  // A second window hands over the resource again (here: other bytes); nothing is reopened.
  const std::vector<unsigned char> other(100, 0);
  CUIPaintManager::SetArchiveFromMemory(other.data(), static_cast<unsigned>(other.size()));
  EXPECT_EQ(first, CUIPaintManager::GetArchive());
  EXPECT_TRUE(first->Find(L"res\\mainWnd\\progress.png", nullptr, nullptr));
  CUIPaintManager::ResetResourceSettings();
}

TEST(ResourceSettings, PathsAndInstances) {
  CUIPaintManager::ResetResourceSettings();
  CUIPaintManager::SetResourcePath(L"C:\\skin");
  EXPECT_STREQ(L"C:\\skin\\", CUIPaintManager::GetResourcePath().GetData());
  CUIPaintManager::SetResourcePath(L"C:/skin/");
  EXPECT_STREQ(L"C:/skin/", CUIPaintManager::GetResourcePath().GetData());
  CUIPaintManager::SetResourcePath(L"");
  EXPECT_TRUE(CUIPaintManager::GetResourcePath().IsEmpty());

  CUIPaintManager::SetInstance(nullptr);
  EXPECT_TRUE(CUIPaintManager::GetInstancePath().IsEmpty());
  CUIPaintManager::SetInstance(::GetModuleHandleW(nullptr));
  EXPECT_STREQ(SkinUITest::ExeDir().c_str(), CUIPaintManager::GetInstancePath().GetData());
  EXPECT_EQ(::GetModuleHandleW(nullptr), CUIPaintManager::GetResourceInstance());
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  CUIPaintManager::SetResourceInstance(kernel);
  EXPECT_EQ(kernel, CUIPaintManager::GetResourceInstance());
  CUIPaintManager::ResetResourceSettings();
}
