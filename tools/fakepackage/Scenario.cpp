#include "tools/fakepackage/Scenario.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace Fake {
namespace {

std::string Narrow(const std::wstring& text, unsigned codePage) {
  if (text.empty()) return std::string();
  int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n,
                        nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
  return out;
}

std::wstring Unescape(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    wchar_t next = text[++i];
    out += next == L'n' ? L'\n' : next == L'r' ? L'\r' : next == L't' ? L'\t' : next;
  }
  return out;
}

unsigned CodePageOf(const std::wstring& name) {
  if (name == L"acp") return CP_ACP;
  if (name == L"utf8") return CP_UTF8;
  return static_cast<unsigned>(std::wcstoul(name.c_str(), nullptr, 10));
}

std::wstring InBase(const std::wstring& path, const std::wstring& base) {
  bool absolute = path.size() > 1 && (path[1] == L':' || path[0] == L'\\');
  return absolute || base.empty() ? path : base + L"\\" + path;
}

void Print(const std::string& bytes) {
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

bool Record(const std::wstring& file) {
  std::string text = Narrow(::GetCommandLineW(), CP_UTF8);
  FILE* out = _wfopen(file.c_str(), L"wb");
  if (out == nullptr) return false;
  std::fwrite(text.data(), 1, text.size(), out);
  std::fclose(out);
  return true;
}

}  // namespace

std::wstring ValueAfter(const std::wstring& commandLine, const std::wstring& marker) {
  size_t at = commandLine.rfind(marker);
  return at == std::wstring::npos ? std::wstring() : commandLine.substr(at + marker.size());
}

int RunScenario(const wchar_t* environmentVariable, const std::wstring& baseDirectory) {
  wchar_t path[MAX_PATH] = {};
  DWORD n = ::GetEnvironmentVariableW(environmentVariable, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 0;
  FILE* file = _wfopen(path, L"rb");
  if (file == nullptr) return 90;
  std::string content;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) content.append(buffer, got);
  std::fclose(file);

  unsigned codePage = CP_ACP;
  std::istringstream lines(content);
  for (std::string raw; std::getline(lines, raw);) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::wstring line = Wide(raw);
    if (line.empty() || line[0] == L'#') continue;
    size_t space = line.find(L' ');
    std::wstring verb = line.substr(0, space);
    std::wstring argument = space == std::wstring::npos ? std::wstring() : line.substr(space + 1);
    if (verb == L"record") {
      if (!Record(argument)) return 91;
    } else if (verb == L"encoding") {
      codePage = CodePageOf(argument);
    } else if (verb == L"print") {
      Print(Narrow(Unescape(argument), codePage));
    } else if (verb == L"sleep") {
      ::Sleep(static_cast<DWORD>(std::wcstoul(argument.c_str(), nullptr, 10)));
    } else if (verb == L"create") {
      HANDLE created = ::CreateFileW(InBase(argument, baseDirectory).c_str(), GENERIC_WRITE, 0,
                                     nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (created == INVALID_HANDLE_VALUE) return 92;
      ::CloseHandle(created);
    } else if (verb == L"delete") {
      ::DeleteFileW(InBase(argument, baseDirectory).c_str());
    } else if (verb == L"exit") {
      return static_cast<int>(std::wcstol(argument.c_str(), nullptr, 10));
    } else if (verb == L"hang") {
      for (;;) ::Sleep(1000);
    } else {
      return 93;
    }
  }
  return 0;
}

}  // namespace Fake
