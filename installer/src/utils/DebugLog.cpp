#include "installer/src/utils/DebugLog.h"

#include <cstdlib>
#include <cwchar>

#include "installer/src/utils/UniqueResource.h"

namespace Utils {
namespace {

constexpr wchar_t kPrefix[] = L"<P%05d><T%05d><%04d-%02d-%02d %02d:%02d:%02d.%03d>(%s)<%04d>: ";

// Opened once at start-up, before any worker exists, and only read afterwards.
UniqueFileHandle& Mirror() {
  static UniqueFileHandle mirror;
  return mirror;
}

void WriteMirror(const wchar_t* line) {
  UniqueFileHandle& mirror = Mirror();
  if (!mirror) return;
  int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return;
  std::string utf8(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line, -1, &utf8[0], bytes, nullptr, nullptr);
  DWORD written = 0;
  // Appends from several threads are not atomic everywhere (Wine loses
  // lines), so the copy is serialised; the debug channel itself takes no lock.
  static SRWLOCK lock = SRWLOCK_INIT;
  ::AcquireSRWLockExclusive(&lock);
  // A failed write only loses the copy; the debug channel still has the line.
  ::WriteFile(mirror.get(), utf8.data(), static_cast<DWORD>(bytes - 1), &written, nullptr);
  ::ReleaseSRWLockExclusive(&lock);
}

bool EndsWithLineFeed(const wchar_t* text) {
  size_t n = std::wcslen(text);
  return n > 0 && text[n - 1] == L'\n';
}

}  // namespace

std::wstring FormatDebugLine(const wchar_t* format, va_list args) {
  va_list counting;
  va_copy(counting, args);
  // The Windows C runtime's own formatters: "%s" is a wide string here.
  int length = ::_vscwprintf(format, counting);
  va_end(counting);
  if (length < 0) return std::wstring();
  std::wstring line(static_cast<size_t>(length) + 2, L'\0');
  int written = ::_vsnwprintf(&line[0], line.size(), format, args);
  if (written < 0) return std::wstring();
  line.resize(static_cast<size_t>(written));
  return line;
}

void DebugLog(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  va_list counting;
  va_copy(counting, args);
  int length = ::_vscwprintf(format, counting);
  va_end(counting);
  if (length >= 0) {
    size_t capacity = static_cast<size_t>(length) + 2;
    auto* buffer = static_cast<wchar_t*>(std::malloc(capacity * sizeof(wchar_t)));
    if (buffer != nullptr) {  // no memory: the line is dropped
      if (::_vsnwprintf(buffer, capacity, format, args) >= 0) {
        buffer[capacity - 1] = L'\0';
        ::OutputDebugStringW(buffer);
        WriteMirror(buffer);
      }
      std::free(buffer);
    }
  }
  va_end(args);
}

std::wstring QualifiedFunctionName(const char* pretty) {
  std::string s = pretty ? pretty : "";
  size_t with = s.find(" [with ");
  if (with != std::string::npos) s.resize(with);
  // Trailing qualifiers of member functions.
  for (bool again = true; again;) {
    again = false;
    for (const char* q : {" const", " volatile", " &&", " &", " noexcept"}) {
      size_t len = std::char_traits<char>::length(q);
      if (s.size() > len && s.compare(s.size() - len, len, q) == 0) {
        s.resize(s.size() - len);
        again = true;
      }
    }
  }
  // Drop the parameter list: the parenthesis group that closes the text.
  if (!s.empty() && s.back() == ')') {
    int depth = 0;
    for (size_t i = s.size(); i-- > 0;) {
      if (s[i] == ')') ++depth;
      if (s[i] == '(' && --depth == 0) {
        s.resize(i);
        break;
      }
    }
  }
  // Drop the return type: everything up to the last blank outside brackets.
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '<' || c == '(') ++depth;
    if ((c == '>' || c == ')') && depth > 0) --depth;
    if (c == ' ' && depth == 0) start = i + 1;
  }
  s = s.substr(start);
  return std::wstring(s.begin(), s.end());
}

std::wstring DebugLineFormat(const wchar_t* message, bool appendTerminator) {
  std::wstring format = kPrefix;
  format += message;
  if (appendTerminator && !EndsWithLineFeed(message)) format += L"\r\n";
  return format;
}

bool SetDebugLogMirror(const std::wstring& path) {
  UniqueFileHandle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  Mirror() = std::move(file);
  return true;
}

void CloseDebugLogMirror() { Mirror().reset(); }

}  // namespace Utils
