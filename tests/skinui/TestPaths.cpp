#include "tests/skinui/TestPaths.h"

#include <windows.h>

#include "installer/src/utils/UniqueResource.h"

namespace SkinUITest {

std::wstring ExeDir() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, length);
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

std::wstring FixtureDir() { return ExeDir() + L"fixture_skin\\"; }

std::wstring FixtureArchivePath() { return ExeDir() + L"fixture_skin.7z"; }

std::vector<unsigned char> ReadBytes(const std::wstring& path) {
  std::vector<unsigned char> bytes;
  Utils::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return bytes;
  unsigned char chunk[65536];
  DWORD got = 0;
  while (::ReadFile(file.get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

bool WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes) {
  Utils::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

std::wstring ScratchDir() {
  static std::wstring dir;
  if (dir.empty()) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    dir = std::wstring(temp) + L"skinui-test-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(dir.c_str(), nullptr);
  }
  return dir;
}

}  // namespace SkinUITest
