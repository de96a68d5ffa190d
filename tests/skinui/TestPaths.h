#pragma once
// Locations shared by the SkinUI tests: the build-time skin fixture beside the
// test program, and a scratch folder of the process.
#include <string>
#include <vector>

namespace SkinUITest {

std::wstring ExeDir();                 // ends in "\"
std::wstring FixtureDir();             // the unpacked fixture folder, ends in "\"
std::wstring FixtureArchivePath();
std::vector<unsigned char> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
// A fresh, empty folder for this test process; ends in "\".
std::wstring ScratchDir();

}  // namespace SkinUITest
